#pragma once
// The saver's picture of one model, drawn into memory: the scene, lights, camera and render
// settings of the full-screen saver with its default settings on a full-colour screen.

#include <cstdint>
#include <string>
#include <vector>

#include "retained/d3drm_api.h"
#include "retained/model_file_loading.h"
#include "settings/saver_settings.h"

struct SaverViewImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row 0 the top row
};

// Reads the model's figures, loading its textures from beside it as the drawing does.
HRESULT ReadModelInfo(const std::string& modelPath, varnoka::rm::ModelLoadReport& report);

// How the saver treats the model: as one of the nine, drawn as the file stands, or as a user's own
// car, fitted to the view.
enum class ModelRole { Ours, OwnCar };

// Draws `modelPath` turned by `yawDegrees` the way the saver turns it, its textures from beside
// it, with the render options and background of `settings` (the saver's defaults unless given).
// Returns the loader's result code, or a failure of the device.
HRESULT DrawSaverView(const std::string& modelPath, int width, int height, double yawDegrees, SaverViewImage& image,
                      const SaverSettings& settings = DefaultSaverSettings(), ModelRole role = ModelRole::Ours);
