// The background patterns in the world plane: random vertical stripes, a grid
// of squares that always turn, a wider grid of spaced squares. Drawn under the
// perspective projection with the modelview translated to z = -10; world
// units, y upwards.
#pragma once

// Fills the stripe table from the world bounds and the random generator
// (30 draws), continuing the sequence the shapes were spawned from.
void buildStripeTable();

// Draws the pattern of a BackgroundKind; any other kind draws nothing.
// withRotation turns stripes and spaced squares; rotating squares always turn.
void drawBackground(int kind, bool withRotation);

// Turns a background shape about its own centre by scene.rotationAngle,
// about the axis of the rotatexyz setting as it stands.
void applyRotation();
