// Reader and writer of the settings file. The format strings are the file's
// definition: the writer prints and the reader scans with the same strings.
#include "settings/settings_file.h"

#include "settings/settings.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

const char* const settingsPath = "C:\\Program Files\\Pellumbra\\Monoglint\\VOda.ini";

namespace {

// Creates every missing folder on the way to the file, so that a fresh
// installation keeps its settings. Failures are left to the fopen that follows.
void createParentFolders(const char* path)
{
    std::string folder(path);
    for (size_t i = 1; i < folder.size(); ++i) {
        if (folder[i] != '\\' && folder[i] != '/')
            continue;
        if (folder[i - 1] == ':')  // "C:\" is a drive, not a folder
            continue;
        std::string prefix = folder.substr(0, i);
#ifdef _WIN32
        _mkdir(prefix.c_str());
#else
        mkdir(prefix.c_str(), 0755);
#endif
    }
}

// Returns whether all 14 lines were written and the file closed cleanly.
bool writeSettingsFile(const char* path)
{
    createParentFolders(path);
    FILE* file = std::fopen(path, "w");
    if (!file)
        return false;
    const Settings& s = settings;
    bool written =
        std::fprintf(file, "background=%d\n", s.background) > 0 &&
        std::fprintf(file, "forespeed=%d\n", s.forespeed) > 0 &&
        std::fprintf(file, "theme=%d\n", s.theme) > 0 &&
        std::fprintf(file, "backrgb=%d,%d,%d\n", s.backrgb.red, s.backrgb.green, s.backrgb.blue) > 0 &&
        std::fprintf(file, "backshapesrgb=%d,%d,%d\n", s.backshapesrgb.red, s.backshapesrgb.green,
                     s.backshapesrgb.blue) > 0 &&
        std::fprintf(file, "foreshapesrgb=%d,%d,%d\n", s.foreshapesrgb.red, s.foreshapesrgb.green,
                     s.foreshapesrgb.blue) > 0 &&
        std::fprintf(file, "interrgb=%d,%d,%d\n", s.interrgb.red, s.interrgb.green, s.interrgb.blue) > 0 &&
        std::fprintf(file, "rotate=%d\n", s.rotate) > 0 &&
        std::fprintf(file, "rotatexyz=%d,%d,%d\n", s.rotatexyz.x, s.rotatexyz.y, s.rotatexyz.z) > 0 &&
        std::fprintf(file, "rotspeed=%d\n", s.rotspeed) > 0 &&
        std::fprintf(file, "numshapes=%d\n", s.numshapes) > 0 &&
        std::fprintf(file, "ovals=%d\n", s.ovals) > 0 &&
        std::fprintf(file, "squares=%d\n", s.squares) > 0 &&
        std::fprintf(file, "triangles=%d\n", s.triangles) > 0;
    return std::fclose(file) == 0 && written;
}

// A line with one value fails only when nothing matched (0); meeting the end
// of the input (EOF) passes and leaves the field as it was.
bool singleValueLine(int scanned) { return scanned != 0; }

// A line with three values must give all three; a partial match has already
// stored its first values, which the rewrite then carries.
bool threeValueLine(int scanned) { return scanned == 3; }

// Scans the 14 lines in file order, stopping at the first line that fails.
bool scanSettingsFile(FILE* file)
{
    Settings& s = settings;
    return singleValueLine(std::fscanf(file, "background=%d\n", &s.background)) &&
           singleValueLine(std::fscanf(file, "forespeed=%d\n", &s.forespeed)) &&
           singleValueLine(std::fscanf(file, "theme=%d\n", &s.theme)) &&
           threeValueLine(std::fscanf(file, "backrgb=%d,%d,%d\n", &s.backrgb.red, &s.backrgb.green,
                                      &s.backrgb.blue)) &&
           threeValueLine(std::fscanf(file, "backshapesrgb=%d,%d,%d\n", &s.backshapesrgb.red,
                                      &s.backshapesrgb.green, &s.backshapesrgb.blue)) &&
           threeValueLine(std::fscanf(file, "foreshapesrgb=%d,%d,%d\n", &s.foreshapesrgb.red,
                                      &s.foreshapesrgb.green, &s.foreshapesrgb.blue)) &&
           threeValueLine(std::fscanf(file, "interrgb=%d,%d,%d\n", &s.interrgb.red, &s.interrgb.green,
                                      &s.interrgb.blue)) &&
           singleValueLine(std::fscanf(file, "rotate=%d\n", &s.rotate)) &&
           threeValueLine(std::fscanf(file, "rotatexyz=%d,%d,%d\n", &s.rotatexyz.x, &s.rotatexyz.y,
                                      &s.rotatexyz.z)) &&
           singleValueLine(std::fscanf(file, "rotspeed=%d\n", &s.rotspeed)) &&
           singleValueLine(std::fscanf(file, "numshapes=%d\n", &s.numshapes)) &&
           singleValueLine(std::fscanf(file, "ovals=%d\n", &s.ovals)) &&
           singleValueLine(std::fscanf(file, "squares=%d\n", &s.squares)) &&
           singleValueLine(std::fscanf(file, "triangles=%d\n", &s.triangles));
}

}  // namespace

void loadSettingsAt(const char* path, bool forceRewrite)
{
    FILE* file = forceRewrite ? nullptr : std::fopen(path, "r");
    if (!file) {
        // Missing, unreadable, or a line failed to parse: write the record as
        // it now stands. When even that fails there is nothing better to read
        // back, and the record keeps the values it has (the defaults at first).
        if (!writeSettingsFile(path))
            return;
        file = std::fopen(path, "r");
        if (!file)
            return;
    }
    bool complete = scanSettingsFile(file);
    std::fclose(file);
    // A file that fails again right after being rewritten from the record
    // means the write did not take (disk full, say): read it once, not for ever.
    if (!complete && !forceRewrite)
        loadSettingsAt(path, true);
}

void saveSettingsAt(const char* path)
{
    writeSettingsFile(path);
}

void loadSettings(bool forceRewrite)
{
    loadSettingsAt(settingsPath, forceRewrite);
}

void saveSettings()
{
    saveSettingsAt(settingsPath);
}
