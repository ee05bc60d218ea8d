// Frame composition. Classic: true inversion by blending (each covered pixel
// becomes 1 - itself). Custom: the background marks the one-bit stencil
// buffer, and every shape is drawn twice, once outside the marks in the
// foreground colour and once inside them in the intersection colour.
#include "render/frame.h"

#include "render/background.h"
#include "render/gl_headers.h"
#include "render/projection.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "settings/settings.h"

namespace {

void colourOf(const Rgb& c)
{
    glColor3ub(static_cast<GLubyte>(c.red), static_cast<GLubyte>(c.green), static_cast<GLubyte>(c.blue));
}

void drawShapesIn(const Rgb& colour)
{
    for (int i = 0; i < scene.shapeCount; ++i) {
        glPushMatrix();
        colourOf(colour);
        drawShape(scene.shapes[i]);
        glPopMatrix();
    }
}

}  // namespace

void drawFrame()
{
    const bool stencilled = settings.theme == Custom;
    glClear(stencilled ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT
                       : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const int width = static_cast<int>(scene.screenWidth);
    const int height = static_cast<int>(scene.screenHeight);
    setProjection(width, height, false);
    glTranslatef(0, 0, -10);

    if (stencilled) {
        // The background goes into the colour buffer and marks 1 in the stencil in one pass.
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    }
    drawBackground(settings.background, settings.rotate != 0);

    setProjection(width, height, true);

    if (stencilled) {
        glStencilFunc(GL_NOTEQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glLoadIdentity();
        drawShapesIn(settings.foreshapesrgb);

        glStencilFunc(GL_EQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        drawShapesIn(settings.interrgb);
    } else {
        // Drawn pixel = source * (1 - destination): white inverts exactly.
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE_MINUS_DST_COLOR, GL_ZERO);
        glColor3f(1, 1, 1);
        glLoadIdentity();
        for (int i = 0; i < scene.shapeCount; ++i) {
            glPushMatrix();
            if (settings.theme == Classic)
                glColor3f(1, 1, 1);
            else
                colourOf(settings.foreshapesrgb);  // a hand-edited theme value: tinted inversion
            drawShape(scene.shapes[i]);
            glPopMatrix();
        }
        glDisable(GL_BLEND);
    }
    glFlush();
}
