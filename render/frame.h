// One complete frame into the back buffer of the current context: the
// background in world space, then the foreground shapes in pixel space, with
// the colours swapped wherever a foreground shape covers a background shape.
#pragma once

void drawFrame();
