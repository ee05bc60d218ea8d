// The settings reader and writer against a table of small file fixtures:
// each case gives the file before, the record expected afterwards and the
// file bytes expected afterwards (unchanged, or rewritten).
// Built twice: natively against a temporary path (the path-parameter seam),
// and for Windows, where it runs under Wine against the real fixed path and
// the text-mode writer must produce CR LF line ends.
#include "settings/settings.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char* const defaultFile =
    "background=0\nforespeed=1000\ntheme=0\nbackrgb=0,0,0\nbackshapesrgb=255,255,255\n"
    "foreshapesrgb=255,255,255\ninterrgb=0,0,0\nrotate=0\nrotatexyz=1,1,1\nrotspeed=0\n"
    "numshapes=20\novals=1\nsquares=1\ntriangles=1\n";

const char* const customFile =
    "background=2\nforespeed=2500\ntheme=1\nbackrgb=1,2,3\nbackshapesrgb=4,5,6\n"
    "foreshapesrgb=7,8,9\ninterrgb=10,11,12\nrotate=1\nrotatexyz=0,1,0\nrotspeed=55\n"
    "numshapes=33\novals=0\nsquares=1\ntriangles=0\n";

void customValues(Settings& s)
{
    s = {SpacedSquares, 2500, Custom, 1, {0, 1, 0}, 55, 33, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, 0, 1, 0};
}

// What the writer produces for text written here with "\n": CR LF on Windows.
std::string platformLines(const std::string& lines)
{
#ifdef _WIN32
    std::string out;
    for (char c : lines) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
#else
    return lines;
#endif
}

std::string settingsFolder()
{
#ifdef _WIN32
    return "C:\\Program Files\\Pellumbra\\Monoglint";
#else
    static std::string folder = [] {
        char pattern[] = "/tmp/monoglint-settings-XXXXXX";
        std::string root = mkdtemp(pattern);
        static std::string removeAtExit;
        removeAtExit = "rm -rf '" + root + "'";
        std::atexit([] { (void)!std::system(removeAtExit.c_str()); });
        return root + "/Pellumbra/Monoglint";
    }();
    return folder;
#endif
}

std::string filePath()
{
#ifdef _WIN32
    return settingsPath;
#else
    return settingsFolder() + "/VOda.ini";
#endif
}

void load(bool forceRewrite = false)
{
#ifdef _WIN32
    loadSettings(forceRewrite);
#else
    loadSettingsAt(filePath().c_str(), forceRewrite);
#endif
}

void save()
{
#ifdef _WIN32
    saveSettings();
#else
    saveSettingsAt(filePath().c_str());
#endif
}

bool readBytes(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return true;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void removeFolders()
{
#ifdef _WIN32
    DeleteFileA(settingsPath);
    RemoveDirectoryA(settingsFolder().c_str());
    RemoveDirectoryA("C:\\Program Files\\Pellumbra");
#else
    std::remove(filePath().c_str());
    rmdir(settingsFolder().c_str());
    rmdir(settingsFolder().substr(0, settingsFolder().rfind('/')).c_str());
#endif
}

void makeFolders()
{
#ifdef _WIN32
    CreateDirectoryA("C:\\Program Files\\Pellumbra", nullptr);
    CreateDirectoryA(settingsFolder().c_str(), nullptr);
#else
    mkdir(settingsFolder().substr(0, settingsFolder().rfind('/')).c_str(), 0755);
    mkdir(settingsFolder().c_str(), 0755);
#endif
}

bool sameRecord(const Settings& a, const Settings& b) { return std::memcmp(&a, &b, sizeof(Settings)) == 0; }

std::string describe(const Settings& s)
{
    char text[400];
    std::snprintf(text, sizeof text,
                  "background=%d forespeed=%d theme=%d rotate=%d rotatexyz=%d,%d,%d rotspeed=%d "
                  "numshapes=%d backrgb=%d,%d,%d backshapesrgb=%d,%d,%d foreshapesrgb=%d,%d,%d "
                  "interrgb=%d,%d,%d ovals=%d squares=%d triangles=%d",
                  s.background, s.forespeed, s.theme, s.rotate, s.rotatexyz.x, s.rotatexyz.y, s.rotatexyz.z,
                  s.rotspeed, s.numshapes, s.backrgb.red, s.backrgb.green, s.backrgb.blue, s.backshapesrgb.red,
                  s.backshapesrgb.green, s.backshapesrgb.blue, s.foreshapesrgb.red, s.foreshapesrgb.green,
                  s.foreshapesrgb.blue, s.interrgb.red, s.interrgb.green, s.interrgb.blue, s.ovals, s.squares,
                  s.triangles);
    return text;
}

struct FileCase {
    const char* name;
    const char* before;  // file bytes before the load; nullptr: no file
    std::function<void(Settings&)> expect;  // applied to the defaults
    const char* after;   // lines expected afterwards, "\n" ends; nullptr: bytes unchanged
};

void PrintTo(const FileCase& c, std::ostream* out) { *out << c.name; }

void keepDefaults(Settings&) {}

const FileCase fileCases[] = {
    {"no file: created with the defaults", nullptr, keepDefaults, defaultFile},
    {"empty file: line 4 meets the end, rewritten", "", keepDefaults, defaultFile},
    {"complete file is read and left alone", customFile, customValues, nullptr},
    {"cut after rotatexyz: the rest keep their values, no rewrite",
     "background=1\nforespeed=700\ntheme=1\nbackrgb=1,2,3\nbackshapesrgb=4,5,6\nforeshapesrgb=7,8,9\n"
     "interrgb=10,11,12\nrotate=1\nrotatexyz=0,0,1\n",
     [](Settings& s) {
         s.background = 1, s.forespeed = 700, s.theme = 1, s.backrgb = {1, 2, 3}, s.backshapesrgb = {4, 5, 6},
         s.foreshapesrgb = {7, 8, 9}, s.interrgb = {10, 11, 12}, s.rotate = 1, s.rotatexyz = {0, 0, 1};
     },
     nullptr},
    {"letters for a number on line 2: rewritten with line 1's value",
     "background=2\nforespeed=fast\ntheme=1\n",
     [](Settings& s) { s.background = 2; },
     "background=2\nforespeed=1000\ntheme=0\nbackrgb=0,0,0\nbackshapesrgb=255,255,255\n"
     "foreshapesrgb=255,255,255\ninterrgb=0,0,0\nrotate=0\nrotatexyz=1,1,1\nrotspeed=0\n"
     "numshapes=20\novals=1\nsquares=1\ntriangles=1\n"},
    {"two channels on line 4: both kept, the third from before",
     "background=0\nforespeed=1000\ntheme=1\nbackrgb=10,20\nbackshapesrgb=4,5,6\n",
     [](Settings& s) { s.theme = 1, s.backrgb = {10, 20, 0}; },
     "background=0\nforespeed=1000\ntheme=1\nbackrgb=10,20,0\nbackshapesrgb=255,255,255\n"
     "foreshapesrgb=255,255,255\ninterrgb=0,0,0\nrotate=0\nrotatexyz=1,1,1\nrotspeed=0\n"
     "numshapes=20\novals=1\nsquares=1\ntriangles=1\n"},
    {"lines 1 and 2 swapped: the first scan fails", "forespeed=3000\nbackground=1\n", keepDefaults, defaultFile},
    {"a blank before the first key", " background=1\n", keepDefaults, defaultFile},
    {"key in the wrong case", "Background=1\n", keepDefaults, defaultFile},
    {"blank before a comma fails the three-value line",
     "background=0\nforespeed=1000\ntheme=0\nbackrgb=1 ,2,3\n", [](Settings& s) { s.backrgb.red = 1; },
     "background=0\nforespeed=1000\ntheme=0\nbackrgb=1,0,0\nbackshapesrgb=255,255,255\n"
     "foreshapesrgb=255,255,255\ninterrgb=0,0,0\nrotate=0\nrotatexyz=1,1,1\nrotspeed=0\n"
     "numshapes=20\novals=1\nsquares=1\ntriangles=1\n"},
    {"text behind a number makes the next key fail", "background=1\nforespeed=900xyz\ntheme=1\n",
     [](Settings& s) { s.background = 1, s.forespeed = 900; },
     "background=1\nforespeed=900\ntheme=0\nbackrgb=0,0,0\nbackshapesrgb=255,255,255\n"
     "foreshapesrgb=255,255,255\ninterrgb=0,0,0\nrotate=0\nrotatexyz=1,1,1\nrotspeed=0\n"
     "numshapes=20\novals=1\nsquares=1\ntriangles=1\n"},
    {"white space, signs and leading zeros are accepted",
     "background= +2\r\n\r\nforespeed=  007  \n\ttheme=-3\nbackrgb=1, 2,\t3\nbackshapesrgb=4,5,6\n"
     "foreshapesrgb=7,8,9\ninterrgb=10,11,12\nrotate=1\nrotatexyz=0,1,0\nrotspeed=55\n"
     "numshapes=33\novals=0\nsquares=1\ntriangles=0",
     [](Settings& s) { customValues(s), s.forespeed = 7, s.theme = -3; }, nullptr},
    {"CR LF line ends and text after line 14",
     "background=2\r\nforespeed=2500\r\ntheme=1\r\nbackrgb=1,2,3\r\nbackshapesrgb=4,5,6\r\n"
     "foreshapesrgb=7,8,9\r\ninterrgb=10,11,12\r\nrotate=1\r\nrotatexyz=0,1,0\r\nrotspeed=55\r\n"
     "numshapes=33\r\novals=0\r\nsquares=1\r\ntriangles=0\r\nwhatever=1\r\ngarbage",
     customValues, nullptr},
    {"out-of-range and negative values are kept as they stand",
     "background=7\nforespeed=-5\ntheme=1\nbackrgb=300,-1,256\nbackshapesrgb=4,5,6\nforeshapesrgb=7,8,9\n"
     "interrgb=10,11,12\nrotate=1\nrotatexyz=0,1,0\nrotspeed=-10\nnumshapes=500\novals=0\nsquares=1\n"
     "triangles=0\n",
     [](Settings& s) {
         customValues(s), s.background = 7, s.forespeed = -5, s.backrgb = {300, -1, 256}, s.rotspeed = -10,
                          s.numshapes = 500;
     },
     nullptr},
};

class SettingsFileTable : public ::testing::TestWithParam<FileCase> {};

TEST_P(SettingsFileTable, RecordAndBytesAfterLoad)
{
    const FileCase& c = GetParam();
    removeFolders();
    if (c.before) {
        makeFolders();
        writeBytes(filePath(), c.before);
    }
    settings = defaultSettings;
    load();

    Settings expected = defaultSettings;
    c.expect(expected);
    EXPECT_TRUE(sameRecord(settings, expected)) << "got      " << describe(settings) << "\nexpected "
                                                << describe(expected);
    std::string bytes;
    ASSERT_TRUE(readBytes(filePath(), bytes));
    EXPECT_EQ(bytes, c.after ? platformLines(c.after) : std::string(c.before));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SettingsFileTable, ::testing::ValuesIn(fileCases),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return std::to_string(info.index) + "_" + name.substr(0, 40);
                         });

TEST(SettingsFile, SaveWritesEveryFieldInFileOrderWithSigns)
{
    removeFolders();
    customValues(settings);
    settings.forespeed = -42;
    settings.interrgb = {-1, 0, 2147483647};
    save();
    std::string bytes;
    ASSERT_TRUE(readBytes(filePath(), bytes));
    EXPECT_EQ(bytes, platformLines("background=2\nforespeed=-42\ntheme=1\nbackrgb=1,2,3\nbackshapesrgb=4,5,6\n"
                                   "foreshapesrgb=7,8,9\ninterrgb=-1,0,2147483647\nrotate=1\nrotatexyz=0,1,0\n"
                                   "rotspeed=55\nnumshapes=33\novals=0\nsquares=1\ntriangles=0\n"));

    // And what was written reads back unchanged.
    Settings written = settings;
    settings = defaultSettings;
    load();
    EXPECT_TRUE(sameRecord(settings, written)) << describe(settings);
}

TEST(SettingsFile, ForcedRewriteWritesTheRecordOverAGoodFile)
{
    removeFolders();
    makeFolders();
    writeBytes(filePath(), customFile);
    settings = defaultSettings;
    load(true);
    std::string bytes;
    ASSERT_TRUE(readBytes(filePath(), bytes));
    EXPECT_EQ(bytes, platformLines(defaultFile));
    EXPECT_TRUE(sameRecord(settings, defaultSettings));
}

#ifdef _WIN32
// Another process holds the file open without letting anyone write it: the
// bad line cannot be repaired. The load must end, keep what it read, and leave
// the file alone.
TEST(SettingsFile, FileThatCannotBeWrittenEndsWithUsableValues)
{
    removeFolders();
    makeFolders();
    const char* const broken = "background=2\nforespeed=2500\ntheme=oops\n";
    writeBytes(filePath(), broken);
    HANDLE holder = CreateFileA(settingsPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    settings = defaultSettings;
    load();
    CloseHandle(holder);

    Settings expected = defaultSettings;
    expected.background = 2, expected.forespeed = 2500;
    EXPECT_TRUE(sameRecord(settings, expected)) << describe(settings);
    std::string bytes;
    ASSERT_TRUE(readBytes(filePath(), bytes));
    EXPECT_EQ(bytes, broken);
}
#else
// Paths that cannot be written even by root: a bad file under /proc, a folder
// that cannot be made, and a folder standing where the file should be (it
// opens for reading but reads nothing). Each load must end with usable values.
TEST(SettingsFile, PathsThatCannotBeWrittenEndWithUsableValues_PathSeam)
{
    settings = defaultSettings;
    loadSettingsAt("/proc/version", false);  // "Linux version ...": the first key fails
    EXPECT_TRUE(sameRecord(settings, defaultSettings)) << describe(settings);

    loadSettingsAt("/proc/no-such-folder/Monoglint/VOda.ini", false);
    EXPECT_TRUE(sameRecord(settings, defaultSettings)) << describe(settings);

    removeFolders();
    makeFolders();
    mkdir(filePath().c_str(), 0755);
    loadSettingsAt(filePath().c_str(), false);
    EXPECT_TRUE(sameRecord(settings, defaultSettings)) << describe(settings);
    rmdir(filePath().c_str());
}
#endif

}  // namespace
