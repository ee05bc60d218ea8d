// Background patterns; see background.h.
#include "render/background.h"

#include "render/gl_headers.h"
#include "render/random_generator.h"
#include "render/scene_state.h"
#include "settings/settings.h"

#include <cmath>

namespace {

// Classic shapes are white whatever the setting holds; custom ones take the
// low eight bits of each channel.
void backgroundShapeColour()
{
    if (settings.theme == Classic) {
        glColor3f(1.0f, 1.0f, 1.0f);
    } else {
        const Rgb& c = settings.backshapesrgb;
        glColor3ub(static_cast<GLubyte>(c.red), static_cast<GLubyte>(c.green), static_cast<GLubyte>(c.blue));
    }
}

void drawStripes(double worldHeight, bool withRotation)
{
    const float yLow = static_cast<float>(0.5 * static_cast<float>(-worldHeight));
    const float yHigh = static_cast<float>(0.5 * static_cast<float>(worldHeight));
    for (int k = 0; k < drawnStripes; ++k) {
        const float centre = scene.stripeTable[2 * k];
        const float h = scene.stripeTable[2 * k + 1];
        glPushMatrix();
        glTranslatef(centre, 0, 0);
        if (withRotation)
            applyRotation();
        glBegin(GL_QUADS);
        backgroundShapeColour();
        glVertex2f(h, yLow);
        glVertex2f(-h, yLow);
        glVertex2f(-h, yHigh);
        glVertex2f(h, yHigh);
        glEnd();
        glPopMatrix();
    }
}

void drawSquareAt(double x, double y, double hx, double hy, bool withRotation)
{
    glPushMatrix();
    glTranslated(x, y, 0);
    if (withRotation)
        applyRotation();
    glBegin(GL_QUADS);
    backgroundShapeColour();
    glVertex2d(hx, -hy);
    glVertex2d(-hx, -hy);
    glVertex2d(-hx, hy);
    glVertex2d(hx, hy);
    glEnd();
    glPopMatrix();
}

// Columns from the left edge while x < right, each from the top edge down
// while y > bottom; the first column and row are centred on the edges.
void drawSquareGrid(double columnStep, double rowStep, double right, double bottom, double hx, double hy,
                    bool withRotation)
{
    // A window without width or height has no steps to take.
    if (!(columnStep > 0) || !(rowStep > 0))
        return;
    const WorldBounds& b = scene.worldBounds;
    for (double x = b.worldLeft; x < right; x += columnStep)
        for (double y = b.worldTop; y > bottom; y -= rowStep)
            drawSquareAt(x, y, hx, hy, withRotation);
}

}  // namespace

void buildStripeTable()
{
    // The visible width in hundredths of a world unit; at least 1, so that a
    // window without width still gets a table.
    int t = static_cast<int>(std::fabs(scene.worldBounds.worldRight) * 2 * 100);
    if (t < 1)
        t = 1;
    const float half = static_cast<float>(t / 2);
    const float seventh = static_cast<float>(t / 7);
    for (int k = 0; k < stripePairs; ++k) {
        int a = nextRandom();
        scene.stripeTable[2 * k] = (static_cast<float>(a % t) - half) / 100;
        int b = nextRandom();
        scene.stripeTable[2 * k + 1] = (static_cast<float>((b % t) / 5) + seventh) / 1000;
    }
}

void applyRotation()
{
    glRotatef(scene.rotationAngle, static_cast<float>(settings.rotatexyz.x), static_cast<float>(settings.rotatexyz.y),
              static_cast<float>(settings.rotatexyz.z));
}

void drawBackground(int kind, bool withRotation)
{
    const WorldBounds& b = scene.worldBounds;
    const double worldWidth = 2 * std::fabs(b.worldRight);
    const double worldHeight = 2 * std::fabs(b.worldBottom);
    // Unturned squares fill their cells exactly: twice the half size is one step.
    const double hx = worldWidth / 23;
    const double hy = worldHeight / 17;
    switch (kind) {
    case Stripes:
        drawStripes(worldHeight, withRotation);
        break;
    case RotatingSquares:
        drawSquareGrid(worldWidth / 11.5, worldHeight / 8.5, b.worldRight, b.worldBottom, hx, hy, true);
        break;
    case SpacedSquares:
        // The bounds reach a little beyond the right and bottom edges.
        drawSquareGrid(worldWidth / 9.5, worldHeight / 5.5, b.worldRight + b.worldRight / 11.5,
                       b.worldBottom + b.worldBottom / 11, hx, hy, withRotation);
        break;
    }
}
