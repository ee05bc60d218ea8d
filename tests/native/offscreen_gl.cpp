// The offscreen context of the pixel tests; see offscreen_gl.h.
#include "offscreen_gl.h"

#include "render/gl_headers.h"
#include "render/projection.h"
#include "render/scene_state.h"

#include <GL/osmesa.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

std::string toString(const Rgb8& c)
{
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

OffscreenGl::OffscreenGl(int width, int height)
    : buffer_(static_cast<size_t>(width) * height * 4), width_(width), height_(height)
{
    context_ = OSMesaCreateContextExt(OSMESA_RGBA, 16, 8, 0, nullptr);
    if (!context_ || !OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE,
                                        width, height))
        throw std::runtime_error("no offscreen Mesa context");
}

OffscreenGl::~OffscreenGl()
{
    OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void OffscreenGl::readBack()
{
    glFinish();
    std::vector<uint8_t> rows(static_cast<size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    pixels_.resize(rows.size());
    const size_t stride = static_cast<size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y)
        std::copy(rows.begin() + (height_ - 1 - y) * stride, rows.begin() + (height_ - y) * stride,
                  pixels_.begin() + y * stride);
}

Rgb8 OffscreenGl::at(int x, int y) const
{
    const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    return {p[0], p[1], p[2]};
}

std::string OffscreenGl::savePicture(const std::string& name) const
{
    std::string ppm = name + ".ppm";
    std::string png = name + ".png";
    if (FILE* out = std::fopen(ppm.c_str(), "wb")) {
        std::fprintf(out, "P6\n%d %d\n255\n", width_, height_);
        for (size_t i = 0; i < pixels_.size(); i += 4)
            std::fwrite(&pixels_[i], 1, 3, out);
        std::fclose(out);
        std::string command = "convert '" + ppm + "' '" + png + "' && rm -f '" + ppm + "'";
        if (std::system(command.c_str()) != 0)
            return ppm;
    }
    return png;
}

void prepareScene(int width, int height)
{
    setProjection(width, height, true);
    scene.screenWidth = static_cast<float>(width);
    scene.screenHeight = static_cast<float>(height);
    scene.rotationAngle = 0;
    initGlState();
    computeWorldBounds();
}
