// Whole frames drawn by the real renderer into an offscreen Mesa context and
// read back: the size of each primitive, the squares of the two grids, what
// turns when, and the colour swap of both themes. A failing test writes its
// picture to <test>.png in the working folder, beside the test log.
#include "offscreen_gl.h"

#include "render/background.h"
#include "render/frame.h"
#include "render/gl_headers.h"
#include "render/projection.h"
#include "render/random_generator.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const Rgb8 black = {0, 0, 0};
const Rgb8 white = {255, 255, 255};

class FramePixels : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings = defaultSettings;
        settings.background = 7;  // no pattern unless a test asks for one
        shapes.clear();
    }
    void TearDown() override
    {
        if (HasFailure() && gl) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::string path = gl->savePicture(std::string(info->test_suite_name()) + "." + info->name());
            std::printf("picture of the failing frame: %s\n", path.c_str());
        }
        if (scene.quadric)
            gluDeleteQuadric(scene.quadric);
        scene.quadric = nullptr;
        scene.shapes = nullptr;
        scene.shapeCount = 0;
        gl.reset();
        settings = defaultSettings;
    }

    void open(int width, int height)
    {
        gl.reset(new OffscreenGl(width, height));
        prepareScene(width, height);
    }

    void addShape(int kind, float x, float y) { shapes.push_back({x, y, 1.0f, 1, kind}); }

    // The stripe table with one stripe over the left half of the window (and
    // nine without width), so that the background's edge runs down the middle.
    void leftHalfStripe()
    {
        settings.background = Stripes;
        const double right = scene.worldBounds.worldRight;
        std::memset(scene.stripeTable, 0, sizeof(float) * 2 * stripePairs);
        scene.stripeTable[0] = static_cast<float>(-right / 2);
        scene.stripeTable[1] = static_cast<float>(right / 2);
    }

    void draw()
    {
        scene.shapes = shapes.data();
        scene.shapeCount = static_cast<int32_t>(shapes.size());
        drawFrame();
        gl->readBack();
    }

    // Bounding box of the pixels that are not `background`.
    struct Box {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
        int width() const { return right - left + 1; }
        int height() const { return bottom - top + 1; }
    };
    Box boxOfAllBut(Rgb8 background) const
    {
        Box box;
        for (int y = 0; y < gl->height(); ++y)
            for (int x = 0; x < gl->width(); ++x)
                if (gl->at(x, y) != background) {
                    box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
                }
        return box;
    }

    // Separate areas of `colour` (4-connected).
    int areasOf(Rgb8 colour) const
    {
        const int w = gl->width(), h = gl->height();
        std::vector<char> seen(static_cast<size_t>(w) * h, 0);
        std::vector<int> stack;
        int areas = 0;
        for (int start = 0; start < w * h; ++start) {
            if (seen[start] || gl->at(start % w, start / w) != colour)
                continue;
            ++areas;
            stack.push_back(start);
            seen[start] = 1;
            while (!stack.empty()) {
                int p = stack.back();
                stack.pop_back();
                int x = p % w, y = p / w;
                const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
                for (const auto& n : next) {
                    if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h)
                        continue;
                    int q = n[1] * w + n[0];
                    if (!seen[q] && gl->at(n[0], n[1]) == colour) {
                        seen[q] = 1;
                        stack.push_back(q);
                    }
                }
            }
        }
        return areas;
    }

    std::set<std::string> coloursIn() const
    {
        std::set<std::string> colours;
        for (int y = 0; y < gl->height(); ++y)
            for (int x = 0; x < gl->width(); ++x)
                colours.insert(toString(gl->at(x, y)));
        return colours;
    }

    std::unique_ptr<OffscreenGl> gl;
    std::vector<Shape> shapes;
};

// Oval 6 W / 25 by 2 W / 25, square W / 5 by H / 12, triangle W / 12 by H / 10
// with its apex up: on a 1024 x 768 screen 245.76 x 81.92, 204.8 x 64 and
// 85.33 x 76.8 pixels.
TEST_F(FramePixels, EachPrimitiveHasItsSize)
{
    open(1024, 768);
    const struct {
        int kind;
        double width, height;
    } cases[] = {{Oval, 245.76, 81.92}, {Square, 204.8, 64}, {Triangle, 85.33, 76.8}};
    for (const auto& c : cases) {
        shapes.clear();
        addShape(c.kind, 500, 400);
        draw();
        Box box = boxOfAllBut(black);
        EXPECT_NEAR(box.width(), c.width, 1.5) << "kind " << c.kind;
        EXPECT_NEAR(box.height(), c.height, 1.5) << "kind " << c.kind;
        EXPECT_NEAR((box.left + box.right + 1) / 2.0, 500, 1.5) << "kind " << c.kind;
        if (c.kind == Triangle) {
            EXPECT_NEAR(box.bottom + 1, 400, 1) << "the base runs through the reference point";
            EXPECT_EQ(gl->at(500, box.top + 2), white) << "apex on top";
            EXPECT_EQ(gl->at(box.left + 2, box.top + 2), black);
        } else {
            EXPECT_NEAR((box.top + box.bottom + 1) / 2.0, 400, 1.5) << "kind " << c.kind;
        }
    }
    shapes.clear();
    addShape(5, 500, 400);  // no such kind: nothing is drawn
    draw();
    EXPECT_EQ(boxOfAllBut(black).right, -1);
}

// The grids have a fixed number of squares whatever the screen: 12 columns of
// 9 turning squares, and 10 columns of 6 spaced squares.
TEST_F(FramePixels, GridsHaveTheirSquares)
{
    open(512, 384);
    settings.background = SpacedSquares;
    draw();
    EXPECT_EQ(areasOf(white), 60);
    // The first column and row are centred on the left and top edges.
    EXPECT_EQ(gl->at(0, 0), white);
    EXPECT_EQ(gl->at(511, 383), black);

    // Half turned about x, the squares of a row still touch each
    // other but the rows come apart; turned about y, the columns do.
    settings.background = RotatingSquares;
    scene.rotationAngle = 60;
    settings.rotatexyz = {1, 0, 0};
    draw();
    EXPECT_EQ(areasOf(white), 9) << "rows";
    settings.rotatexyz = {0, 1, 0};
    draw();
    EXPECT_EQ(areasOf(white), 12) << "columns";

    // Unturned, they cover the whole window.
    scene.rotationAngle = 0;
    settings.rotatexyz = {1, 1, 1};
    draw();
    EXPECT_EQ(coloursIn(), (std::set<std::string>{toString(white)}));
}

std::vector<Rgb8> picture(const OffscreenGl& gl)
{
    std::vector<Rgb8> pixels;
    for (int y = 0; y < gl.height(); ++y)
        for (int x = 0; x < gl.width(); ++x)
            pixels.push_back(gl.at(x, y));
    return pixels;
}

// Rotating squares always turn; stripes and spaced squares only when the
// rotate setting is on.
TEST_F(FramePixels, WhatTurnsWhen)
{
    open(320, 240);
    seedRandom(1);
    buildStripeTable();
    settings.rotatexyz = {0, 0, 1};
    for (int kind : {Stripes, RotatingSquares, SpacedSquares}) {
        for (int rotate : {0, 1}) {
            settings.background = kind;
            settings.rotate = rotate;
            scene.rotationAngle = 0;
            draw();
            std::vector<Rgb8> still = picture(*gl);
            scene.rotationAngle = 30;
            draw();
            bool turned = picture(*gl) != still;
            EXPECT_EQ(turned, kind == RotatingSquares || rotate == 1) << "background " << kind << " rotate " << rotate;
        }
    }
}

// Classic: every covered pixel turns into its inverse, so a pair of shapes
// restores what lies beneath.
TEST_F(FramePixels, ClassicInversionTruthTable)
{
    open(400, 300);
    leftHalfStripe();
    addShape(Square, 300, 40);   // one shape over black
    addShape(Square, 100, 40);   // one shape over a background shape
    addShape(Square, 290, 120);  // two over black, overlapping from 270 to 330
    addShape(Square, 310, 120);
    addShape(Square, 90, 200);   // two over a background shape, overlapping from 70 to 130
    addShape(Square, 110, 200);
    settings.backshapesrgb = {10, 200, 30};  // not used by Classic
    settings.foreshapesrgb = {10, 200, 30};
    draw();
    const struct {
        int x, y;
        Rgb8 expected;
        const char* what;
    } cases[] = {
        {390, 290, black, "nothing"},
        {10, 290, white, "background shape"},
        {300, 40, white, "one shape over black"},
        {100, 40, black, "one shape over a background shape"},
        {300, 120, black, "two shapes over black"},
        {255, 120, white, "one of the pair over black"},
        {100, 200, white, "two shapes over a background shape"},
        {55, 200, black, "one of the pair over a background shape"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toString(gl->at(c.x, c.y)), toString(c.expected)) << c.what;
    EXPECT_EQ(coloursIn(), (std::set<std::string>{toString(black), toString(white)}));
}

// Custom: four colours, the foreground split exactly along the background
// shape's edge, and overlapping shapes all in the same colour.
TEST_F(FramePixels, CustomThemeSplitsAlongTheBackgroundEdge)
{
    settings.theme = Custom;
    settings.backrgb = {10, 20, 30};
    settings.backshapesrgb = {40, 50, 60};
    settings.foreshapesrgb = {70, 80, 90};
    settings.interrgb = {100, 110, 120};
    open(400, 300);
    leftHalfStripe();
    addShape(Square, 200, 150);  // straddles the edge
    addShape(Square, 210, 160);  // overlaps the first
    draw();

    const Rgb8 back = {10, 20, 30}, backShapes = {40, 50, 60}, fore = {70, 80, 90}, inter = {100, 110, 120};
    EXPECT_EQ(coloursIn(), (std::set<std::string>{toString(back), toString(backShapes), toString(fore),
                                                  toString(inter)}));
    // Where the background changes colour above the shapes...
    int edge = 0;
    while (edge < 400 && gl->at(edge, 20) == backShapes)
        ++edge;
    ASSERT_GT(edge, 150);
    ASSERT_LT(edge, 250);
    // ...the shapes change from the intersection colour to the foreground colour.
    for (int y = 140; y <= 170; ++y) {
        EXPECT_EQ(toString(gl->at(edge - 1, y)), toString(inter)) << "row " << y;
        EXPECT_EQ(toString(gl->at(edge, y)), toString(fore)) << "row " << y;
    }
    EXPECT_EQ(toString(gl->at(215, 165)), toString(fore)) << "overlap over the background";
}

// A theme other than 0 and 1 takes the blending path with the custom
// colours: each covered pixel becomes foreshapesrgb * (1 - beneath).
TEST_F(FramePixels, OtherThemeValueTintsTheInversion)
{
    settings.theme = 2;
    settings.backrgb = {100, 100, 100};
    settings.backshapesrgb = {200, 0, 50};
    settings.foreshapesrgb = {255, 128, 0};
    open(400, 300);
    leftHalfStripe();
    addShape(Square, 300, 150);
    addShape(Square, 100, 150);
    draw();
    auto near = [](Rgb8 got, int r, int g, int b) {
        return std::abs(got.r - r) <= 1 && std::abs(got.g - g) <= 1 && std::abs(got.b - b) <= 1;
    };
    EXPECT_TRUE(near(gl->at(390, 290), 100, 100, 100)) << toString(gl->at(390, 290));
    EXPECT_TRUE(near(gl->at(10, 290), 200, 0, 50)) << toString(gl->at(10, 290));
    EXPECT_TRUE(near(gl->at(300, 150), 155, 78, 0)) << toString(gl->at(300, 150));
    EXPECT_TRUE(near(gl->at(100, 150), 55, 128, 0)) << toString(gl->at(100, 150));
}

// Channels beyond 255 reach OpenGL as their low eight bits: 256 is 0, 300 is 44.
TEST_F(FramePixels, ChannelsKeepTheirLowEightBits)
{
    settings.theme = Custom;
    settings.backrgb = {0, 0, 0};
    settings.backshapesrgb = {256, 300, 255};
    settings.foreshapesrgb = {256, 300, 44};
    settings.interrgb = {300, 256, 555};
    open(400, 300);
    leftHalfStripe();
    addShape(Square, 300, 150);
    addShape(Square, 100, 150);
    draw();
    EXPECT_EQ(toString(gl->at(10, 290)), toString({0, 44, 255}));
    EXPECT_EQ(toString(gl->at(300, 150)), toString({0, 44, 44}));
    EXPECT_EQ(toString(gl->at(100, 150)), toString({44, 0, 43}));
}

// With no shapes the background alone is drawn, in either theme.
TEST_F(FramePixels, NoShapesShowsTheBackgroundOnly)
{
    for (int theme : {Classic, Custom}) {
        settings.theme = theme;
        settings.backrgb = {1, 2, 3};
        settings.backshapesrgb = {255, 255, 255};
        open(200, 100);
        leftHalfStripe();
        draw();
        EXPECT_EQ(toString(gl->at(10, 50)), toString(white)) << theme;
        EXPECT_EQ(toString(gl->at(190, 50)), toString(theme == Classic ? black : Rgb8{1, 2, 3})) << theme;
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is switched off again";
    }
}

// An empty preview window: drawing a frame must neither crash nor hang.
TEST_F(FramePixels, EmptySceneDrawsWithoutFault)
{
    for (int kind : {Stripes, RotatingSquares, SpacedSquares}) {
        open(16, 16);
        prepareScene(0, 0);
        settings.background = kind;
        buildStripeTable();
        addShape(Oval, 0, 0);
        draw();
    }
}

}  // namespace
