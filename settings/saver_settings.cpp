#include "settings/saver_settings.h"

SaverSettings saverSettings{};

SaverSettings DefaultSaverSettings() {
    SaverSettings settings{};
    settings.shadeMode = GouraudShading;
    settings.fillMode = SolidFill;
    settings.colorModel = RgbColors;
    settings.dithered = 1;
    settings.textureFiltering = 0;
    settings.randomModels = 1;
    settings.switchModels = 1;
    settings.switchDelay = 30;
    settings.cameraX = 0;
    settings.cameraY = 510;  // (0, 2, -5) times 255
    settings.cameraZ = -1275;
    settings.modelIndex = 0;
    return settings;
}
