// Storage of the process-wide Settings record, initialised statically with
// the built-in defaults so that they hold before any code of ours runs.
#include "settings/settings.h"

Settings settings = defaultSettings;

Rgb& settingsColour(int index)
{
    Rgb* const colours[4] = {&settings.backrgb, &settings.backshapesrgb,
                             &settings.foreshapesrgb, &settings.interrgb};
    return *colours[index & 3];
}
