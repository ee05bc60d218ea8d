// WGL context creation; see wgl_context.h. No step is checked: without a
// context every later GL call does nothing and the saver runs undrawn.
#include "render/wgl_context.h"

#include "render/scene_state.h"

#include <mmsystem.h>

HGLRC createGlContext(HWND window)
{
    HDC deviceContext = GetDC(window);

    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    format.cStencilBits = 1;  // the Custom theme's composition needs one bit
    format.iLayerType = PFD_MAIN_PLANE;

    int index = ChoosePixelFormat(deviceContext, &format);
    DescribePixelFormat(deviceContext, index, sizeof(format), &format);
    SetPixelFormat(deviceContext, index, &format);
    HGLRC context = wglCreateContext(deviceContext);
    wglMakeCurrent(deviceContext, context);
    ReleaseDC(window, deviceContext);

    scene.lastFrameTime = timeGetTime();
    return context;
}
