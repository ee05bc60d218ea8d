// The Windows test driver's helpers: starting Monoglint.scr with exact
// command lines, waiting for its exit code, windows of the driver's own that
// the saver can be pointed at, the prefix's files and registry.
// Runs under Wine; the runner script (run_under_wine.sh) makes the prefix
// and the virtual display.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace driver {

// The built saver in the build tree, as a Windows path (Z:\...).
std::string builtSaverPath();
// A file that CMake built beside the saver (a fixture, say), as a Windows path.
std::string builtFilePath(const char* unixPath);

// The saver as a user installs it: copied with colors.txt into the fixed
// installation folder (C:\Program Files\Pellumbra\Monoglint), whose path holds a blank.
std::string installedSaverPath();
std::string installFolder();

// A process of the saver, started with exactly the given command line (what
// GetCommandLineA returns in the child); the program is `program`.
struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};
Process start(const std::string& program, const std::string& commandLine);

// Waits for the process to end; returns its exit code, or STILL_ACTIVE after
// the timeout (the process is then killed so that no test leaves it behind).
DWORD waitForExit(Process& process, DWORD timeoutMs = 10000);
void kill(Process& process);

// A top-level window of the given process whose title is `title`, waiting up
// to `timeoutMs` for it to appear; null when none does.
HWND findProcessWindow(DWORD processId, const char* title, DWORD timeoutMs = 10000);

// The saver's preview child inside `parent` once it is shown (its creation
// sets up the whole scene first); null when none appears in time.
HWND waitForPreviewChild(HWND parent, DWORD timeoutMs = 10000);

// A top-level window once it is shown; false when it is not shown in time.
bool waitUntilVisible(HWND window, DWORD timeoutMs = 10000);

// A plain window owned by a thread of the driver that keeps pumping messages,
// so that a saver in another process can use it as parent or owner.
class TestWindow {
public:
    // A framed window has a client area of width x height; an unframed popup
    // is exactly that size.
    explicit TestWindow(int width = 320, int height = 240, bool visible = true, bool framed = true);
    ~TestWindow();
    HWND handle() const { return window_; }
    std::string decimal() const;  // the handle as the command line writes it
    void destroy();               // on the window's own thread

private:
    static DWORD WINAPI threadMain(void* self);
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    int width_, height_;
    bool visible_, framed_;
};

// Makes the system report the 9x family to Monoglint.scr only (Wine's
// per-application Windows version), for as long as the object lives.
class Win98ForSaver {
public:
    explicit Win98ForSaver(const char* executableName = "Monoglint.scr");
    ~Win98ForSaver();

private:
    std::string key_;
};

// Real input on the virtual X display, through xdotool (a Linux program:
// Wine starts it like any other). Returns when xdotool has finished.
// NOTE: the saver reads input from X, so input sent this way travels the
// whole road a user's input does.
void xdotool(const std::string& arguments);

// The system's saver-running flag, asked in a fresh process each time.
// NOTE: Wine caches system parameters in a process once it has read them.
bool saverRunningFlag();

// Whether the process is still running `withinMs` from now; it may end meanwhile.
bool stillRunningAfter(Process& process, DWORD withinMs);

// The screen's pixels inside `area` (screen coordinates), RGB, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    std::set<unsigned> colours() const;  // 0xRRGGBB values that occur
};
Picture capture(const RECT& area);
Picture captureScreen();
// Writes the picture as a binary PPM (a person can look at a failing frame).
void savePicture(const Picture& picture, const std::string& path);

// Whole-file helpers for files inside the prefix.
bool readFile(const std::string& path, std::string& bytes);
bool writeFile(const std::string& path, const std::string& bytes);
bool copyFile(const std::string& from, const std::string& to);

}  // namespace driver
