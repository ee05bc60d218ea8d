// Storage of the renderer's process-wide record. The stripe table's storage
// exists from process start to process end; static storage cannot fail.
#include "render/scene_state.h"

namespace {
float stripeStorage[2 * stripePairs];
}

SceneState scene = {0.0f, 0.0f, {0.0, 0.0, 0.0, 0.0}, nullptr, nullptr, 0, nullptr, 0, 0.0f, stripeStorage};
