// SceneState: the renderer's process-wide record. One instance, one thread.
// Pixel space: x 0..W left to right, y 0..H top to bottom (orthographic).
// World space: the plane z = -10 under the 45-degree perspective, y upwards.
#pragma once

#include <cstdint>

struct GLUquadric;

// The world rectangle that the window shows in the plane z = -10, in world units.
struct WorldBounds {
    double worldLeft;
    double worldTop;
    double worldRight;
    double worldBottom;
};

// One foreground shape, in pixel space.
struct Shape {
    float x;            // pixels; centre of an oval or square, middle of a triangle's base
    float y;            // pixels, downwards from the top edge
    float speed;        // milliseconds per pixel of travel
    int32_t direction;  // +1 rightwards, -1 leftwards
    int32_t kind;       // a ShapeKind
};

enum ShapeKind : int32_t { Oval = 0, Square = 1, Triangle = 2 };

// Stripe k: centre x at [2k], half width at [2k + 1], both in world units.
constexpr int stripePairs = 15;
constexpr int drawnStripes = 10;

struct SceneState {
    float screenWidth;   // W, pixels
    float screenHeight;  // H, pixels
    WorldBounds worldBounds;
    GLUquadric* quadric;
    void* glContext;         // the window's rendering context (HGLRC on Windows)
    uint32_t lastFrameTime;  // millisecond tick of the previous frame
    Shape* shapes;           // allocated once per scene, never freed
    int32_t shapeCount;      // records in `shapes`: numshapes, or 0 when they could not be had
    float rotationAngle;     // degrees, applied to background shapes
    float* stripeTable;      // stripePairs pairs, allocated at process start
};

extern SceneState scene;
