// The two projections every frame switches between, the mapping of a window
// pixel onto a world plane, the visible world rectangle, and the OpenGL state
// fixed once per scene.
#pragma once

// Viewport and projection for a width x height window (a height of 0 counts
// as 1); leaves GL_MODELVIEW current with an identity matrix.
// Orthographic: pixel space, (0, 0) top left. Otherwise the 45-degree perspective.
void setProjection(int width, int height, bool orthographic);

// The point of the world plane z = worldZ that window pixel (windowX, windowY)
// shows (y counted downwards from the top), under the current matrices.
void windowToWorld(double windowX, double windowY, double worldZ, double* x, double* y);

// Clear colour by theme, depth and shading state, and the quadric for ovals.
// The settings must be loaded.
void initGlState();

// Fills scene.worldBounds from the screen size (plane z = -10); leaves the
// orthographic projection current.
void computeWorldBounds();
