#pragma once
// The saver's own picture on a memory window, as the benchmarks and the frame driver draw it.

#include <string>

#include "retained/memory_window.h"
#include "settings/saver_settings.h"

namespace bench {

// The render options of the saver's settings, as they store them.
struct Look {
    int shade = GouraudShading;
    bool linearFiltering = false;
    int colors = RgbColors;
};

// The saver's picture with its default settings but the look on a memory window; the car is
// `vkN.x`.
struct BenchScene {
    BenchScene(int width, int height, const Look& look, int carNumber);
    // The saver's picture with its default settings of the model file at `modelPath`, loaded
    // as the saver loads a user's own car: fitted to the view.
    BenchScene(int width, int height, const std::string& modelPath);
    ~BenchScene();
    BenchScene(const BenchScene&) = delete;
    BenchScene& operator=(const BenchScene&) = delete;

    // The car replaced by a generated ellipsoid about as large on the screen as a car; false when
    // its texture cannot be made.
    bool MakeEllipsoid(int rings, int segments);

    // One frame of the render thread: Move, Clear, Render and Update.
    void Frame();

    int CoveredPixels() const;

    varnoka::rm::MemoryWindow window;
    bool opened = false;
    int triangles = 0;
};

}  // namespace bench
