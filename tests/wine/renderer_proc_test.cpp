// The frame driver in a window of the test's own: a class with CS_OWNDC whose
// messages all go to rendererProc. Creation sets up the context and the scene
// from the settings file, timer messages draw frames (whatever the timer's
// identifier), destruction gives the context back. Pixels are read back from
// the window's own GL context.
#include "wine_driver.h"

#include "host/host_state.h"
#include "render/gl_headers.h"
#include "render/renderer_proc.h"
#include "render/scene_state.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const settingsFolder = "C:\\Program Files\\Pellumbra\\Monoglint";

void writeSettings(const std::string& lines)
{
    CreateDirectoryA("C:\\Program Files\\Pellumbra", nullptr);
    CreateDirectoryA(settingsFolder, nullptr);
    ASSERT_TRUE(driver::writeFile(settingsPath, lines));
}

std::string settingsLines(int background, int theme, int numshapes)
{
    return "background=" + std::to_string(background) + "\nforespeed=500\ntheme=" + std::to_string(theme) +
           "\nbackrgb=0,0,255\nbackshapesrgb=255,0,0\nforeshapesrgb=0,255,0\ninterrgb=255,255,0\nrotate=1\n"
           "rotatexyz=0,0,1\nrotspeed=10\nnumshapes=" + std::to_string(numshapes) + "\novals=1\nsquares=1\ntriangles=1\n";
}

HWND createRendererWindow(int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;  // the context's pixel format lives on the window's own DC
    windowClass.lpfnWndProc = rendererProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RendererTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "RendererTestWindow", "renderer", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

// What the screen shows of the window (the last frame swapped in).
std::vector<unsigned char> screenPixels(HWND window)
{
    RECT frame;
    GetWindowRect(window, &frame);
    return driver::capture(frame).rgb;
}

void pumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(1);
    }
}

class RendererProc : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The default handling below the renderer applies no closing rules to a preview.
        hostState.previewMode = 1;
        settings = defaultSettings;
    }
};

TEST_F(RendererProc, CreationSetsUpTheSceneAndTheTimerDrawsFrames)
{
    writeSettings(settingsLines(Stripes, Custom, 30));
    HWND window = createRendererWindow(320, 240);
    ASSERT_TRUE(window);
    ASSERT_TRUE(wglGetCurrentContext()) << "the context is current after creation";
    EXPECT_EQ(settings.theme, Custom) << "the settings file was read";
    // Without a preview switch on the command line the scene is the primary display's size.
    EXPECT_EQ(scene.screenWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(scene.screenHeight, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(scene.shapeCount, 30);

    pumpFor(300);  // the 1 ms timer draws frames
    const DWORD firstTick = scene.lastFrameTime;
    auto first = screenPixels(window);
    pumpFor(300);
    EXPECT_NE(scene.lastFrameTime, firstTick);
    auto second = screenPixels(window);
    EXPECT_NE(first, second) << "the shapes moved between frames";

    // The frame shows the custom colours: nothing else in the picture.
    for (size_t i = 0; i < second.size(); i += 3) {
        unsigned r = second[i], g = second[i + 1], b = second[i + 2];
        bool known = (r == 0 && g == 0 && b == 255) || (r == 255 && g == 0 && b == 0) ||
                     (r == 0 && g == 255 && b == 0) || (r == 255 && g == 255 && b == 0);
        ASSERT_TRUE(known) << "pixel " << i / 3 << ": " << r << "," << g << "," << b;
    }
    DestroyWindow(window);
}

TEST_F(RendererProc, TimerOfAnotherIdentifierAlsoDrawsAndDestructionReleases)
{
    writeSettings(settingsLines(7, Custom, 0));  // no pattern, no shapes: the frame is the clear colour
    HWND window = createRendererWindow(200, 100);
    ASSERT_TRUE(window);
    KillTimer(window, 1);  // only the messages sent below draw
    MSG message;
    while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    glClearColor(1, 1, 1, 1);  // the screen shows white until a frame is drawn
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 1, 0.5f);
    HDC deviceContext = GetDC(window);
    SwapBuffers(deviceContext);
    ReleaseDC(window, deviceContext);

    const DWORD before = scene.lastFrameTime;
    Sleep(20);
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 77, 0), 0);
    EXPECT_NE(scene.lastFrameTime, before);
    auto frame = screenPixels(window);
    EXPECT_EQ(frame[0], 0);
    EXPECT_EQ(frame[1], 0);
    EXPECT_EQ(frame[2], 255) << "the frame was drawn in the background colour";

    HGLRC context = wglGetCurrentContext();
    ASSERT_TRUE(context);
    DestroyWindow(window);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(wglDeleteContext(context)) << "the context was deleted with the window";
}

}  // namespace
