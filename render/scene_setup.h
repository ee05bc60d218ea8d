// The scene set-up run once when the saver window is created, after the GL
// context exists and the orthographic projection is set.
#pragma once

// W and H in pixels: settings, GL state, shapes, world bounds, stripe table.
void initScene(int width, int height);
