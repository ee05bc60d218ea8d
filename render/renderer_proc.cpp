// The frame driver: window creation sets up the context and the scene and
// starts a 1 ms frame timer; every timer message advances, draws and presents
// one frame; destruction releases the quadric and the context. Everything
// else goes on to the host's defaultSaverProc.
#include "render/renderer_proc.h"

#include "render/frame.h"
#include "render/gl_headers.h"
#include "render/projection.h"
#include "render/scene_setup.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "render/wgl_context.h"

#include <mmsystem.h>

#include <cstring>
#include <initializer_list>

namespace {

constexpr UINT_PTR frameTimerId = 1;
constexpr UINT framePeriodMs = 1;

// The frame clock starts with the process, before any mode runs.
const bool frameClockStarted = [] {
    scene.lastFrameTime = timeGetTime();
    return true;
}();

// A preview is asked for with "/p" in any spelling anywhere on the command
// line; the scene is then the window's own size, else the primary display's.
bool previewRequested()
{
    const char* line = GetCommandLineA();
    for (const char* flag : {"/p", "-p", "/P", "-P"})
        if (std::strstr(line, flag))
            return true;
    return false;
}

void createScene(HWND window)
{
    scene.glContext = createGlContext(window);
    RECT client;
    GetClientRect(window, &client);
    int width, height;
    if (previewRequested()) {
        width = client.right - client.left;
        height = client.bottom - client.top;
    } else {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    setProjection(width, height, true);
    initScene(width, height);
    SetTimer(window, frameTimerId, framePeriodMs, nullptr);
}

void drawOneFrame(HWND window)
{
    HDC deviceContext = GetDC(window);
    timeBeginPeriod(1);
    DWORD now = timeGetTime();
    advanceScene(now - scene.lastFrameTime);  // unsigned: right across the tick counter's wrap
    scene.lastFrameTime = now;
    drawFrame();
    SwapBuffers(deviceContext);
    timeEndPeriod(1);
    ReleaseDC(window, deviceContext);
}

void releaseScene()
{
    gluDeleteQuadric(scene.quadric);
    scene.quadric = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(static_cast<HGLRC>(scene.glContext));
    scene.glContext = nullptr;
}

}  // namespace

LRESULT CALLBACK rendererProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        createScene(window);
        break;
    case WM_DESTROY:
        releaseScene();
        break;
    case WM_TIMER:  // whatever the timer's identifier
        drawOneFrame(window);
        return 0;
    }
    return defaultSaverProc(window, message, wParam, lParam);
}
