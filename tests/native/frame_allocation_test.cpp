// The frame cycle allocates nothing: while many frames of the heaviest
// settings are advanced and drawn, every allocation made by the program's own
// code is counted (C allocations called from the program's text, and every
// operator new). Mesa's own buffer management is its business and not counted.
#include "offscreen_gl.h"

#include "render/background.h"
#include "render/frame.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

extern "C" char __executable_start;
extern "C" char etext;

namespace {

std::atomic<long> allocations{0};

// The renderer is linked statically into this program: its calls come from here.
void countIfOurs(void* caller)
{
    if (caller >= static_cast<void*>(&__executable_start) && caller < static_cast<void*>(&etext))
        allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

extern "C" void* malloc(size_t size)
{
    countIfOurs(__builtin_return_address(0));
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    countIfOurs(__builtin_return_address(0));
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    countIfOurs(__builtin_return_address(0));
    return __libc_realloc(block, size);
}

void* operator new(size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = __libc_malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, size_t) noexcept
{
    std::free(block);
}

namespace {

// The counter itself must see the program's allocations, or the test below proves nothing.
TEST(FrameCycle, CounterSeesTheProgramsAllocations)
{
    long before = allocations.load();
    settings = defaultSettings;
    settings.numshapes = 5;
    spawnShapesSeeded(1);
    free(scene.shapes);
    int* volatile kept = new int(5);  // volatile: a new-delete pair may otherwise be left out
    delete kept;
    EXPECT_EQ(allocations.load() - before, 2);
}

TEST(FrameCycle, AllocatesNothingAcrossManyFrames)
{
    for (int theme : {Classic, Custom}) {
        for (int background : {Stripes, RotatingSquares, SpacedSquares}) {
            settings = defaultSettings;
            settings.theme = theme;
            settings.background = background;
            settings.rotate = 1;
            settings.rotspeed = 10;
            settings.numshapes = 50;
            OffscreenGl gl(320, 240);
            prepareScene(320, 240);
            spawnShapesSeeded(1);
            buildStripeTable();
            for (int frame = 0; frame < 20; ++frame) {  // let the driver settle its buffers
                advanceScene(16);
                drawFrame();
            }
            long before = allocations.load();
            for (int frame = 0; frame < 500; ++frame) {
                advanceScene(16);
                drawFrame();
            }
            EXPECT_EQ(allocations.load() - before, 0) << "theme " << theme << " background " << background;
            free(scene.shapes);
        }
    }
}

}  // namespace
