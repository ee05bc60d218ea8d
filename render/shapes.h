// The foreground shapes: spawning, moving and respawning them beyond the
// edges, the rotation angle of the background, and the three primitives.
// All in pixel space (y downwards); W and H are scene.screenWidth/Height.
#pragma once

#include "render/scene_state.h"

#include <cstdint>

// Allocates the shapes for numshapes records, seeds the generator from the
// clock and spawns every shape. The settings and the screen size must be set.
void spawnShapes();
// The same, seeded with `seed`: the seam the unit tests use.
void spawnShapesSeeded(uint32_t seed);

// Gives shape `index` a new side, position, kind and speed (five draws).
void spawnShape(int index);

// Respawns the shapes that are far enough beyond their edge, moves every
// shape by `elapsed` milliseconds, and turns the background further.
void advanceScene(uint32_t elapsed);

// Draws the primitive of the shape's kind at its reference point. The caller
// has pushed the modelview matrix and set the colour, and pops afterwards.
void drawShape(const Shape& shape);
void drawOval(float x, float y);
void drawSquare(float x, float y);
void drawTriangle(float x, float y);
