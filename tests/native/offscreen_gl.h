// An offscreen Mesa context (OSMesa) with a depth and a stencil buffer, for
// drawing with the real renderer and reading the pixels back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
    uint8_t r, g, b;
    bool operator==(const Rgb8& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb8& o) const { return !(*this == o); }
};

std::string toString(const Rgb8& c);

class OffscreenGl {
public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    // Reads the colour buffer; pixel (x, y) with y counted down from the top,
    // as the foreground shapes count it.
    void readBack();
    Rgb8 at(int x, int y) const;

    // Writes the last read picture to <test name>.png in the working folder
    // (beside the test log) and returns its path.
    std::string savePicture(const std::string& name) const;

private:
    void* context_;
    std::vector<uint8_t> buffer_;  // what the context renders into
    std::vector<uint8_t> pixels_;  // RGBA rows, top row first
    int width_, height_;
};

// Sets up the renderer's scene for a width x height screen as window creation
// does (projection, screen size, GL state, world bounds), but with the given
// settings already in place and without reading the settings file.
void prepareScene(int width, int height);
