// Foreground shapes; see shapes.h.
#include "render/shapes.h"

#include "render/gl_headers.h"
#include "render/random_generator.h"
#include "settings/settings.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <initializer_list>

namespace {

// The modulus for a draw over the screen's size in pixels. A window smaller
// than one pixel (an empty preview) still spawns, all at the edge.
int pixelRange(float size)
{
    int whole = static_cast<int>(size);
    return whole >= 1 ? whole : 1;
}

bool kindEnabled(int kind)
{
    switch (kind) {
    case Oval: return settings.ovals != 0;
    case Square: return settings.squares != 0;
    case Triangle: return settings.triangles != 0;
    }
    return false;
}

// Degrees per elapsed millisecond is 1 / this. A file written from the
// built-in defaults holds 0, which would make the angle infinite and the
// turning squares vanish; it turns as the dialog shows such a file, at 10.
double rotationDivisor()
{
    return settings.rotspeed != 0 ? settings.rotspeed : 10;
}

}  // namespace

void spawnShapesSeeded(uint32_t seed)
{
    // A count below 0 or a size beyond 32 bits cannot be had; the scene then
    // runs without foreground shapes rather than failing.
    int64_t count = settings.numshapes > 0 ? settings.numshapes : 0;
    uint64_t bytes = static_cast<uint64_t>(count) * sizeof(Shape);
    scene.shapes = nullptr;
    scene.shapeCount = 0;
    if (count > 0 && bytes <= 0xFFFFFFFFu) {
        scene.shapes = static_cast<Shape*>(std::malloc(static_cast<size_t>(bytes)));
        if (scene.shapes)
            scene.shapeCount = static_cast<int32_t>(count);
    }
    seedRandom(seed);
    for (int i = 0; i < scene.shapeCount; ++i)
        spawnShape(i);
}

void spawnShapes()
{
    spawnShapesSeeded(static_cast<uint32_t>(std::time(nullptr)));
}

void spawnShape(int index)
{
    Shape& shape = scene.shapes[index];
    const float W = scene.screenWidth;

    bool fromLeft = nextRandom() % 2 == 0;
    shape.direction = fromLeft ? 1 : -1;

    int a = nextRandom();
    if (fromLeft)
        shape.x = static_cast<float>((0 - W * 0.125) - a % pixelRange(W));
    else
        shape.x = static_cast<float>(a % pixelRange(W) + (W + W * 0.125));

    shape.y = static_cast<float>(nextRandom() % pixelRange(scene.screenHeight));
    shape.kind = nextRandom() % 3;

    // A forespeed below 1 could give no speed or a backwards one: such a shape
    // would stand still for ever or drift away without respawning. At least
    // one millisecond per half width keeps every shape crossing.
    int64_t numerator = static_cast<int64_t>(nextRandom() % 1000) + settings.forespeed;
    if (numerator < 1)
        numerator = 1;
    shape.speed = static_cast<float>(static_cast<float>(numerator) / ((W >= 1 ? W : 1.0f) * 0.5));

    if (!kindEnabled(shape.kind)) {
        for (int kind : {Oval, Square, Triangle}) {
            if (kindEnabled(kind)) {
                shape.kind = kind;
                break;
            }
        }
    }
}

void advanceScene(uint32_t elapsed)
{
    const float W = scene.screenWidth;
    const float eF = static_cast<float>(elapsed);
    for (int i = 0; i < scene.shapeCount; ++i) {
        Shape& shape = scene.shapes[i];
        if (shape.direction == 1 ? shape.x > W + W * 0.25 : shape.x < 0 - W * 0.25)
            spawnShape(i);
        float step = eF / shape.speed;
        shape.x = shape.x + step * shape.direction;
    }
    float angle = static_cast<float>(scene.rotationAngle + elapsed / rotationDivisor());
    // Kept within one turn: the picture is the same, and a float that grew
    // for hours would lose the small steps of a slow rotation and stop it.
    scene.rotationAngle = std::fmod(angle, 360.0f);
}

void drawShape(const Shape& shape)
{
    switch (shape.kind) {
    case Oval: drawOval(shape.x, shape.y); break;
    case Square: drawSquare(shape.x, shape.y); break;
    case Triangle: drawTriangle(shape.x, shape.y); break;
    }
}

void drawOval(float x, float y)
{
    // A disk stretched three times across: the ellipse is 6 W / 25 by 2 W / 25.
    glScalef(3, 1, 1);
    glTranslatef(x / 3, y, 0);
    gluDisk(scene.quadric, 0.0, scene.screenWidth / 25, 60, 1);
}

void drawSquare(float x, float y)
{
    const float W = scene.screenWidth, H = scene.screenHeight;
    glTranslatef(x, y, 0);
    glBegin(GL_QUADS);
    glVertex2f(W / 10, -H / 24);
    glVertex2f(-W / 10, -H / 24);
    glVertex2f(-W / 10, H / 24);
    glVertex2f(W / 10, H / 24);
    glEnd();
}

void drawTriangle(float x, float y)
{
    const float W = scene.screenWidth, H = scene.screenHeight;
    glTranslatef(x, y, 0);
    glBegin(GL_TRIANGLES);
    glVertex2f(0, -H / 10);  // pixel y grows downwards: the apex is above the base
    glVertex2f(-W / 24, 0);
    glVertex2f(W / 24, 0);
    glEnd();
}
