#include "retained/pipeline/pixel_shading.h"

namespace varnoka::rm {

void FillThresholds(Ramps& ramps, bool dither) {
    static const int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            ramps.thresholds[y][x] = dither ? (static_cast<float>(Bayer[y][x]) + 0.5f) / 16.0f : 0.5f;
            ramps.fixedThresholds[y][x] = static_cast<int>(ramps.thresholds[y][x] * 65536.0f);
        }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            for (int i = 0; i < 4; ++i) ramps.fixedThresholdsFrom[y][x][i] = ramps.fixedThresholds[y][(x + i) & 3];
}

}  // namespace varnoka::rm
