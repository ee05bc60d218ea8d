// Projections, unprojection and the fixed GL state; see projection.h.
#include "render/projection.h"

#include "render/gl_headers.h"
#include "render/scene_state.h"
#include "settings/settings.h"

void setProjection(int width, int height, bool orthographic)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (orthographic) {
        glOrtho(0, width, height, 0, -height, height);
    } else {
        // NOTE: the near plane is the single-precision 0.1 widened to double.
        gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), static_cast<double>(0.1f),
                       200.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void windowToWorld(double windowX, double windowY, double worldZ, double* x, double* y)
{
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);

    // GLU counts window y upwards from the bottom.
    double glY = viewport[3] - windowY;
    double x0, y0, z0, x1, y1, z1;
    gluUnProject(windowX, glY, 0.0, modelview, projection, viewport, &x0, &y0, &z0);
    gluUnProject(windowX, glY, 1.0, modelview, projection, viewport, &x1, &y1, &z1);

    // Where the ray from the near point to the far point meets the plane z = worldZ.
    double t = worldZ / (z0 - z1) - z0 / (z0 - z1);
    *x = x0 + t * (x0 - x1);
    *y = y0 + t * (y0 - y1);
}

void initGlState()
{
    if (settings.theme == Classic) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    } else {
        glClearColor(settings.backrgb.red / 255.0f, settings.backrgb.green / 255.0f, settings.backrgb.blue / 255.0f,
                     0.5f);
    }
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_FLAT);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    scene.quadric = gluNewQuadric();
    gluQuadricNormals(scene.quadric, GLU_FLAT);
}

void computeWorldBounds()
{
    int width = static_cast<int>(scene.screenWidth);
    int height = static_cast<int>(scene.screenHeight);
    setProjection(width, height, false);
    WorldBounds& bounds = scene.worldBounds;
    windowToWorld(0, 0, -10, &bounds.worldLeft, &bounds.worldTop);
    windowToWorld(scene.screenWidth, scene.screenHeight, -10, &bounds.worldRight, &bounds.worldBottom);
    setProjection(width, height, true);
}
