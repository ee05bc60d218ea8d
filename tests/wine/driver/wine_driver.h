// The Windows test driver's helpers: starting Monoglint.scr with exact
// command lines, waiting for its exit code, windows of the driver's own that
// the saver can be pointed at, the prefix's files and registry.
// Runs under Wine; the runner script (run_under_wine.sh) makes the prefix
// and the virtual display.
#pragma once

#include <windows.h>

#include <string>

namespace driver {

// The built saver in the build tree, as a Windows path (Z:\...).
std::string builtSaverPath();
// A file that CMake built beside the saver (a fixture, say), as a Windows path.
std::string builtFilePath(const char* unixPath);

// The saver as a user installs it: copied into the fixed installation folder
// (C:\Program Files\Pellumbra\Monoglint), whose path holds a blank.
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

// A plain window owned by a thread of the driver that keeps pumping messages,
// so that a saver in another process can use it as parent or owner.
class TestWindow {
public:
    explicit TestWindow(int width = 320, int height = 240, bool visible = true);
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
    bool visible_;
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

// Whole-file helpers for files inside the prefix.
bool readFile(const std::string& path, std::string& bytes);
bool writeFile(const std::string& path, const std::string& bytes);
bool copyFile(const std::string& from, const std::string& to);

}  // namespace driver
