// Projections, world bounds, the spawn rule, movement and respawning, the
// rotation advance and the stripe table, on a real offscreen Mesa context.
#include "offscreen_gl.h"

#include "render/background.h"
#include "render/gl_headers.h"
#include "render/projection.h"
#include "render/random_generator.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// The saver never frees its shapes (one scene per process); the tests make
// many scenes and give each array back before the next.
void releaseShapes()
{
    free(scene.shapes);
    scene.shapes = nullptr;
    scene.shapeCount = 0;
}

class SceneGeometry : public ::testing::Test {
protected:
    void SetUp() override { settings = defaultSettings; }
    void TearDown() override
    {
        releaseShapes();
        settings = defaultSettings;
    }
};

TEST_F(SceneGeometry, WorldBoundsFollowTheAspectRatioOnly)
{
    OffscreenGl gl(64, 64);
    prepareScene(1024, 768);
    const WorldBounds b = scene.worldBounds;
    EXPECT_NEAR(b.worldLeft, -5.5228475, 1e-5);
    EXPECT_NEAR(b.worldTop, 4.1421356, 1e-5);
    EXPECT_NEAR(b.worldRight, 5.5228475, 1e-5);
    EXPECT_NEAR(b.worldBottom, -4.1421356, 1e-5);

    const struct {
        int width, height;
    } sizes[] = {{800, 600}, {1920, 1080}, {300, 1000}, {1, 1}};
    for (auto size : sizes) {
        prepareScene(size.width, size.height);
        EXPECT_NEAR(scene.worldBounds.worldTop, 4.1421356, 1e-5) << size.width << "x" << size.height;
        EXPECT_NEAR(scene.worldBounds.worldRight, 4.1421356 * size.width / size.height, 1e-4);
        EXPECT_NEAR(scene.worldBounds.worldLeft, -scene.worldBounds.worldRight, 1e-6);
    }
}

// A height of 0 counts as 1 in the viewport, the aspect ratio and the depth
// range; nothing becomes infinite.
TEST_F(SceneGeometry, HeightZeroCountsAsOne)
{
    OffscreenGl gl(64, 64);
    prepareScene(200, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_TRUE(std::isfinite(scene.worldBounds.worldRight));
    EXPECT_NEAR(scene.worldBounds.worldRight, 4.1421356 * 200, 1e-1);
}

TEST_F(SceneGeometry, CornersMapToTheirQuadrants)
{
    OffscreenGl gl(64, 64);
    prepareScene(640, 480);
    setProjection(640, 480, false);
    double x, y;
    windowToWorld(0, 0, -10, &x, &y);
    EXPECT_LT(x, 0);
    EXPECT_GT(y, 0);
    windowToWorld(640, 480, -10, &x, &y);
    EXPECT_GT(x, 0);
    EXPECT_LT(y, 0);
    windowToWorld(320, 240, -10, &x, &y);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 0, 1e-9);
}

// Draws left over from a fresh seed after `count` draws were used.
int drawAfter(uint32_t seed, int count)
{
    seedRandom(seed);
    for (int i = 0; i < count; ++i)
        nextRandom();
    return nextRandom();
}

TEST_F(SceneGeometry, SpawnRuleRangesAndFiveDrawsASpawn)
{
    scene.screenWidth = 1024;
    scene.screenHeight = 768;
    settings.numshapes = 50;
    bool sawLeft = false, sawRight = false;
    std::set<int> kinds;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        spawnShapesSeeded(seed);
        ASSERT_EQ(scene.shapeCount, 50);
        const int next = nextRandom();
        EXPECT_EQ(next, drawAfter(seed, 5 * 50)) << "five draws a spawn; seed " << seed;
        for (int i = 0; i < scene.shapeCount; ++i) {
            const Shape& s = scene.shapes[i];
            if (s.direction == 1) {
                sawLeft = true;
                EXPECT_GE(s.x, -1151);
                EXPECT_LE(s.x, -128);
            } else {
                ASSERT_EQ(s.direction, -1);
                sawRight = true;
                EXPECT_GE(s.x, 1152);
                EXPECT_LE(s.x, 2175);
            }
            EXPECT_GE(s.y, 0);
            EXPECT_LE(s.y, 767);
            EXPECT_EQ(s.y, std::floor(s.y));
            EXPECT_GE(s.speed, 1.953125f);
            EXPECT_LE(s.speed, 3.904296875f);
            kinds.insert(s.kind);
        }
        releaseShapes();
    }
    EXPECT_TRUE(sawLeft && sawRight);
    EXPECT_EQ(kinds, (std::set<int>{Oval, Square, Triangle}));
}

TEST_F(SceneGeometry, DisabledKindsFallBackToTheFirstEnabled)
{
    scene.screenWidth = 1024;
    scene.screenHeight = 768;
    settings.numshapes = 3000;
    const struct {
        int ovals, squares, triangles;
        std::set<int> expected;
    } cases[] = {
        {0, 0, 1, {Triangle}},
        {0, 1, 1, {Square, Triangle}},
        {1, 0, 0, {Oval}},
        {0, 0, 0, {Oval, Square, Triangle}},  // none enabled: the drawn kind stays
    };
    for (const auto& c : cases) {
        settings.ovals = c.ovals, settings.squares = c.squares, settings.triangles = c.triangles;
        spawnShapesSeeded(7);
        std::set<int> kinds;
        int squares = 0;
        for (int i = 0; i < scene.shapeCount; ++i) {
            kinds.insert(scene.shapes[i].kind);
            squares += scene.shapes[i].kind == Square;
        }
        EXPECT_EQ(kinds, c.expected) << c.ovals << c.squares << c.triangles;
        if (!c.ovals && c.squares && c.triangles) {  // ovals' share goes to squares: about two thirds
            EXPECT_NEAR(squares / 3000.0, 2.0 / 3.0, 0.05);
        }
        releaseShapes();
    }
}

// One shape placed by hand at a threshold.
Shape& singleShape(float x, int direction, float speed = 2.0f)
{
    settings.numshapes = 1;
    spawnShapesSeeded(3);
    Shape& s = scene.shapes[0];
    s.x = x, s.y = 100, s.direction = direction, s.speed = speed, s.kind = Square;
    return s;
}

TEST_F(SceneGeometry, RespawnOnlyBeyondAQuarterWidth)
{
    scene.screenWidth = 1024;
    scene.screenHeight = 768;
    const struct {
        float x;
        int direction;
        bool respawned;
    } cases[] = {
        {1280.0f, 1, false}, {1280.1f, 1, true}, {-256.0f, -1, false}, {-256.1f, -1, true},
        {-256.1f, 1, false}, {1280.1f, -1, false},  // moving towards the screen: never
    };
    for (const auto& c : cases) {
        Shape& s = singleShape(c.x, c.direction);
        advanceScene(0);
        EXPECT_EQ(s.x != c.x, c.respawned) << "x " << c.x << " direction " << c.direction;
        if (c.respawned) {  // a new shape starts off screen, beyond an eighth of the width
            EXPECT_TRUE(s.x <= -128 || s.x >= 1152) << s.x;
        }
        releaseShapes();
    }
    // On the threshold a shape moves on and is respawned in the next frame.
    Shape& s = singleShape(1280.0f, 1, 2.0f);
    advanceScene(10);
    EXPECT_FLOAT_EQ(s.x, 1285.0f);
    advanceScene(0);
    EXPECT_NE(s.x, 1285.0f);
    EXPECT_TRUE(s.x <= -128 || s.x >= 1152) << s.x;
    releaseShapes();
}

TEST_F(SceneGeometry, MovementAndRotationFollowElapsedTime)
{
    scene.screenWidth = 1024;
    scene.screenHeight = 768;
    settings.rotspeed = 10;
    scene.rotationAngle = 0;
    Shape& s = singleShape(100.0f, -1, 2.5f);
    advanceScene(0);
    EXPECT_EQ(s.x, 100.0f);
    EXPECT_EQ(scene.rotationAngle, 0.0f);

    // The driver hands over the unsigned difference, also across the wrap.
    const uint32_t before = 0xFFFFFFF0u, now = 5;
    advanceScene(now - before);
    EXPECT_FLOAT_EQ(s.x, 100.0f - 21 / 2.5f);
    EXPECT_NEAR(scene.rotationAngle, 2.1f, 1e-5);

    scene.rotationAngle = 0;
    for (int i = 0; i < 1000 / 16; ++i)
        advanceScene(16);
    advanceScene(1000 % 16);
    EXPECT_NEAR(scene.rotationAngle, 100.0f, 0.01f);

    settings.rotspeed = -20;
    scene.rotationAngle = 50;
    advanceScene(200);
    EXPECT_NEAR(scene.rotationAngle, 40.0f, 1e-4);
    releaseShapes();
}

// A settings file written from the defaults holds rotspeed 0; the squares of
// "Rotating Squares" always turn, so the angle must stay a usable number.
// And a slow rotation must not stall after hours of frames.
TEST_F(SceneGeometry, RotationStaysFiniteAndKeepsTurning)
{
    settings.numshapes = 0;
    settings.rotspeed = 0;
    scene.rotationAngle = 0;
    advanceScene(1000);
    EXPECT_TRUE(std::isfinite(scene.rotationAngle));
    EXPECT_NEAR(scene.rotationAngle, 100.0f, 1e-4);  // as the dialog shows it: 10

    settings.rotspeed = 100;
    scene.rotationAngle = 0;
    for (int frame = 0; frame < 3 * 3600 * 1000; frame += 16)  // three hours of 16 ms frames
        advanceScene(16);
    float before = scene.rotationAngle;
    advanceScene(1);
    float step = std::fmod(scene.rotationAngle - before + 360.0f, 360.0f);
    EXPECT_NEAR(step, 0.01f, 0.002f);
    EXPECT_GE(scene.rotationAngle, -360.0f);
    EXPECT_LT(scene.rotationAngle, 360.0f);
}

// forespeed below 1 would give shapes no speed or a backwards one; every shape
// must keep crossing the screen and respawning, with finite positions.
TEST_F(SceneGeometry, ForespeedBelowOneKeepsShapesCrossing)
{
    scene.screenWidth = 800;
    scene.screenHeight = 600;
    settings.numshapes = 20;
    for (int forespeed : {0, -999, -5000, INT32_MIN}) {
        settings.forespeed = forespeed;
        spawnShapesSeeded(11);
        std::vector<int> respawns(20, 0);
        for (int frame = 0; frame < 2000; ++frame) {
            std::vector<Shape> before(scene.shapes, scene.shapes + 20);
            advanceScene(16);
            for (int i = 0; i < 20; ++i) {
                const Shape& s = scene.shapes[i];
                ASSERT_TRUE(std::isfinite(s.x) && std::isfinite(s.speed) && s.speed > 0) << forespeed;
                // Moving shapes only go their own way; a step back is a respawn.
                bool movedBack = (s.x - before[i].x) * s.direction < 0;
                respawns[i] += movedBack || s.direction != before[i].direction;
            }
        }
        for (int i = 0; i < 20; ++i)
            EXPECT_GT(respawns[i], 0) << "shape " << i << " with forespeed " << forespeed;
        releaseShapes();
    }
}

TEST_F(SceneGeometry, ShapeCountsThatCannotBeHadRunWithNone)
{
    scene.screenWidth = 640;
    scene.screenHeight = 480;
    for (int count : {-1, -20, INT32_MAX, 300000000}) {
        settings.numshapes = count;
        spawnShapesSeeded(5);
        EXPECT_EQ(scene.shapeCount, 0) << count;
        advanceScene(16);  // walks what was allocated, not the setting
    }
    settings.numshapes = 0;
    spawnShapesSeeded(5);
    EXPECT_EQ(scene.shapeCount, 0);
    float angle = scene.rotationAngle;
    settings.rotspeed = 10;
    advanceScene(100);
    EXPECT_NEAR(scene.rotationAngle, angle + 10, 1e-4);  // still turns with no shapes
}

TEST_F(SceneGeometry, StripeTableFor1024By768)
{
    OffscreenGl gl(64, 64);
    prepareScene(1024, 768);
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        seedRandom(seed);
        buildStripeTable();
        const int next = nextRandom();
        EXPECT_EQ(next, drawAfter(seed, 30)) << "thirty draws";
        for (int k = 0; k < stripePairs; ++k) {
            const float centre = scene.stripeTable[2 * k], half = scene.stripeTable[2 * k + 1];
            EXPECT_GE(centre, -5.52f);
            EXPECT_LE(centre, 5.51f + 1e-6f);
            EXPECT_GE(half, 0.157f - 1e-6f);
            EXPECT_LE(half, 0.377f + 1e-6f);
        }
    }
}

// An empty preview (0 by 0) gives no width or height to spread shapes and
// stripes over; nothing may divide by zero.
TEST_F(SceneGeometry, EmptySceneStillSpawnsAndBuilds)
{
    OffscreenGl gl(16, 16);
    settings.numshapes = 20;
    prepareScene(0, 0);
    spawnShapesSeeded(9);
    ASSERT_EQ(scene.shapeCount, 20);
    buildStripeTable();
    advanceScene(16);
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(std::isfinite(scene.shapes[i].x));
        EXPECT_TRUE(std::isfinite(scene.shapes[i].speed));
    }
    for (int k = 0; k < stripePairs * 2; ++k)
        EXPECT_TRUE(std::isfinite(scene.stripeTable[k]));
    releaseShapes();
}

}  // namespace
