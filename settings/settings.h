// The process-wide Settings record: every user choice of the saver.
// Read by the renderer and the configuration dialog, filled from the
// settings file by loadSettings (settings_file.h). No Win32 types here.
#pragma once

#include <cstdint>

enum Theme : int32_t { Classic = 0, Custom = 1 };
enum BackgroundKind : int32_t { Stripes = 0, RotatingSquares = 1, SpacedSquares = 2 };

// One colour: three integer channels, 0..255 as the dialog writes them, but
// a hand-edited file may hold any 32-bit value and it is kept as it stands.
struct Rgb {
    int32_t red;
    int32_t green;
    int32_t blue;
};

// Axis components of the background rotation, each 0 or 1 as the dialog writes them.
struct Xyz {
    int32_t x;
    int32_t y;
    int32_t z;
};

struct Settings {
    int32_t background;   // a BackgroundKind; -1 when the dialog's list had no selection
    int32_t forespeed;    // milliseconds for half a screen width; larger is slower
    int32_t theme;        // a Theme
    int32_t rotate;       // nonzero: background shapes turn
    Xyz rotatexyz;
    int32_t rotspeed;     // divisor of the rotation advance; larger is slower
    int32_t numshapes;    // number of foreground shapes
    // The four colours lie back to back so that the dialog can address them
    // by colour index 0..3 (settingsColour).
    Rgb backrgb;
    Rgb backshapesrgb;
    Rgb foreshapesrgb;
    Rgb interrgb;
    int32_t ovals;
    int32_t squares;
    int32_t triangles;
};

// The built-in defaults, which a missing settings file is created with.
constexpr Settings defaultSettings = {
    Stripes, 1000, Classic, 0, {1, 1, 1}, 0, 20,
    {0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0},
    1, 1, 1,
};

// One instance per process; holds the defaults from before any code runs.
extern Settings settings;

// Colour index 0..3: backrgb, backshapesrgb, foreshapesrgb, interrgb.
Rgb& settingsColour(int index);
