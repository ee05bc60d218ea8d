// Running the real saver for the saver-window tests: a settings file to start
// from, a full-screen or preview run found by its window, and its end.
#pragma once

#include "wine_driver.h"

#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

namespace saver {

// The 14 lines of the settings file; the defaults unless a test says otherwise.
struct SettingsLines {
    int background = 0, forespeed = 1000, theme = 0;
    std::string backrgb = "0,0,0", backshapesrgb = "255,255,255", foreshapesrgb = "255,255,255",
                interrgb = "0,0,0";
    int rotate = 0;
    std::string rotatexyz = "1,1,1";
    int rotspeed = 0, numshapes = 20, ovals = 1, squares = 1, triangles = 1;

    std::string text() const
    {
        auto n = [](int v) { return std::to_string(v); };
        return "background=" + n(background) + "\nforespeed=" + n(forespeed) + "\ntheme=" + n(theme) +
               "\nbackrgb=" + backrgb + "\nbackshapesrgb=" + backshapesrgb + "\nforeshapesrgb=" + foreshapesrgb +
               "\ninterrgb=" + interrgb + "\nrotate=" + n(rotate) + "\nrotatexyz=" + rotatexyz +
               "\nrotspeed=" + n(rotspeed) + "\nnumshapes=" + n(numshapes) + "\novals=" + n(ovals) +
               "\nsquares=" + n(squares) + "\ntriangles=" + n(triangles) + "\n";
    }
};

inline void useSettings(const SettingsLines& lines = SettingsLines())
{
    CreateDirectoryA("C:\\Program Files\\Pellumbra", nullptr);
    CreateDirectoryA(driver::installFolder().c_str(), nullptr);
    ASSERT_TRUE(driver::writeFile(settingsPath, lines.text()));
}

struct Run {
    driver::Process process;
    HWND window = nullptr;
};

// Starts "<program> /s" and waits for its window.
inline Run startFullScreen(const std::string& program = driver::builtSaverPath(), const std::string& tail = "/s")
{
    Run run;
    run.process = driver::start(program, "\"" + program + "\" " + tail);
    run.window = driver::findProcessWindow(run.process.id, "Screen Saver");
    EXPECT_TRUE(run.window && driver::waitUntilVisible(run.window)) << "no saver window";
    Sleep(300);  // the first frames
    return run;
}

// Ends a run that a test left going, by a real key press; returns the exit code.
inline DWORD finish(Run& run)
{
    if (run.process.handle && driver::stillRunningAfter(run.process, 0))
        driver::xdotool("key space");
    return driver::waitForExit(run.process, 5000);
}

}  // namespace saver
