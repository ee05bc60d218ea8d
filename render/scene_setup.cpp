// Scene set-up; the order carries the dependencies: the screen size before the
// shapes and the bounds, the settings before the clear colour and the shapes,
// the bounds before the stripe table, whose draws follow the shapes' draws.
#include "render/scene_setup.h"

#include "render/background.h"
#include "render/projection.h"
#include "render/scene_state.h"
#include "render/shapes.h"
#include "settings/settings_file.h"

void initScene(int width, int height)
{
    scene.screenWidth = static_cast<float>(width);
    scene.screenHeight = static_cast<float>(height);
    loadSettings(false);
    initGlState();
    spawnShapes();
    computeWorldBounds();
    buildStripeTable();
}
