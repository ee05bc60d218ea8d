// One full frame at 1920 x 1080 with the heaviest settings (Custom theme, 50
// shapes, rotating squares) against a frame that only clears, in the same run
// and the same offscreen Mesa context. The ratio says what the picture costs
// beyond filling the screen once.
#include "offscreen_gl.h"

#include "render/background.h"
#include "render/frame.h"
#include "render/gl_headers.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int width = 1920, height = 1080;

void heaviestScene()
{
    settings = defaultSettings;
    settings.theme = Custom;
    settings.background = RotatingSquares;
    settings.rotate = 1;
    settings.rotspeed = 10;
    settings.numshapes = 50;
    settings.backrgb = {10, 20, 30};
    prepareScene(width, height);
    spawnShapesSeeded(1);
    buildStripeTable();
}

void fullFrame(benchmark::State& state)
{
    OffscreenGl gl(width, height);
    heaviestScene();
    for (auto _ : state) {
        advanceScene(16);
        drawFrame();
        glFinish();
    }
    std::free(scene.shapes);
}

void clearOnlyFrame(benchmark::State& state)
{
    OffscreenGl gl(width, height);
    heaviestScene();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glFlush();
        glFinish();
    }
    std::free(scene.shapes);
}

}  // namespace

BENCHMARK(clearOnlyFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(fullFrame)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
