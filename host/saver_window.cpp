// Saver and preview modes: the saver window (a topmost popup over the whole
// virtual screen, or a child filling the preview parent), its message loop,
// and the host's share of the window's messages. Messages go on to the
// renderer (rendererProc), which hands the rest to defaultSaverProc.
#include "host/host_modes.h"
#include "host/host_state.h"
#include "render/renderer_proc.h"

namespace {

const char* const saverClassName = "WindowsScreenSaverClass";
const char* const fullScreenTitle = "Screen Saver";
const char* const previewTitle = "Preview";
constexpr int saverIconId = 100;

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return rendererProc(window, message, wParam, lParam);
}

void hideCursor()
{
    SetCursor(nullptr);
}

// Takes the input context off the window so that no IME window shows over the
// saver; only when IMM32 is already in the process, without loading it.
void detachInputContext(HWND window)
{
    hostState.immModule = GetModuleHandleA("IMM32.DLL");
    if (!hostState.immModule)
        return;
    hostState.immAssociateContext = reinterpret_cast<ImmAssociateContextFn>(
        reinterpret_cast<void*>(GetProcAddress(hostState.immModule, "ImmAssociateContext")));
    if (hostState.immAssociateContext)
        hostState.savedInputContext = hostState.immAssociateContext(window, nullptr);
}

void restoreInputContext(HWND window)
{
    if (hostState.immModule && hostState.immAssociateContext && hostState.savedInputContext)
        hostState.immAssociateContext(window, hostState.savedInputContext);
}

// Keeps the system from switching windows or starting another saver over this
// one; a monitor power request ends the saver and still reaches the default.
LRESULT fullScreenSystemCommand(HWND window, WPARAM command, LPARAM lParam)
{
    // NOTE: compared whole; the low four bits are not masked off.
    switch (command) {
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_SCREENSAVE:
        return 0;
    case SC_MONITORPOWER:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    }
    return passOn(window, WM_SYSCOMMAND, command, lParam);
}

}  // namespace

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        detachInputContext(window);
        GetCursorPos(&hostState.lastCursorPos);
        if (!hostState.previewMode)
            hideCursor();
        break;
    case WM_DESTROY:
        restoreInputContext(window);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0;  // the title set at creation never changes
    case WM_PAINT:
        if (hostState.closeApproved)
            return DefWindowProcA(window, message, wParam, lParam);
        if (!hostState.previewMode)
            hideCursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (!hostState.previewMode)
            break;
        // The preview's parent (the system's settings page) shows the help.
        if (HWND parent = GetParent(window); parent && IsWindow(parent))
            PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (hostState.closeApproved)
            return DefWindowProcA(window, message, wParam, lParam);
        break;
    case WM_SYSCOMMAND:
        if (!hostState.previewMode)
            return fullScreenSystemCommand(window, wParam, lParam);
        break;
    case WM_TIMER:
        if (hostState.closeApproved)
            return 0;  // closing: no more frames
        Sleep(0);      // give the rest of the time slice to the system
        break;
    }
    return passOn(window, message, wParam, lParam);
}

int runSaverWindow(HWND parent)
{
    WNDCLASSA saverClass = {};
    saverClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;  // OpenGL needs the private DC
    saverClass.lpfnWndProc = hostWindowProc;
    saverClass.hInstance = hostState.instance;
    saverClass.hIcon = LoadIconA(hostState.instance, MAKEINTRESOURCEA(saverIconId));
    saverClass.hCursor = nullptr;
    saverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    saverClass.lpszClassName = saverClassName;

    int x = 0, y = 0, width, height;
    DWORD style, exStyle;
    const char* title;
    if (parent) {
        RECT client = {};
        GetClientRect(parent, &client);
        width = client.right;
        height = client.bottom;
        style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        exStyle = 0;
        title = previewTitle;
        hostState.previewMode = 1;
    } else {
        x = GetSystemMetrics(SM_XVIRTUALSCREEN);
        y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (width == 0 || height == 0) {
            // Systems without a virtual screen: the screen's clip box.
            HDC screen = GetDC(nullptr);
            RECT box = {};
            GetClipBox(screen, &box);
            ReleaseDC(nullptr, screen);
            x = box.left;
            y = box.top;
            width = box.right - box.left;
            height = box.bottom - box.top;
        }
        style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        exStyle = WS_EX_TOPMOST;
        title = fullScreenTitle;

        // One full-screen saver at a time: bring the running one forward.
        HWND running = FindWindowA(saverClassName, fullScreenTitle);
        if (running && IsWindow(running)) {
            SetForegroundWindow(running);
            return 0;
        }

        SYSTEM_POWER_STATUS power;
        hostState.lastAcLineStatus = GetSystemPowerStatus(&power) ? power.ACLineStatus : 255;
        loadPasswordModule();
    }

    hostState.autoPlayMessage = hostState.win9xFamily ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

    if (RegisterClassA(&saverClass))
        hostState.saverWindow = CreateWindowExA(exStyle, saverClassName, title, style, x, y, width, height, parent,
                                                nullptr, hostState.instance, nullptr);

    int result = 0;
    if (hostState.saverWindow) {
        if (!hostState.previewMode)
            SetForegroundWindow(hostState.saverWindow);
        MSG message;
        // NOTE: GetMessage answers -1 on failure; that must end the loop, not spin it.
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        result = static_cast<int>(message.wParam);
    }
    unloadPasswordModule();
    return result;
}
