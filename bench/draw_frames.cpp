// Draws a number of frames of one of our cars in the saver's picture and ends: the work of a frame,
// counted by scripts/count-instructions under Valgrind, where timing on a shared machine is too
// unsteady to show a change of a few percent.
//
//   draw_frames WIDTH HEIGHT CAR FRAMES

#include <cstdio>
#include <cstdlib>

#include "bench_scene.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: draw_frames WIDTH HEIGHT CAR FRAMES\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int car = std::atoi(argv[3]), frames = std::atoi(argv[4]);
    if (width <= 0 || height <= 0 || car < 1 || car > 9 || frames < 0) {
        std::fprintf(stderr, "draw_frames: a size above 0, a car from 1 to 9 and a number of frames\n");
        return 2;
    }
    bench::BenchScene scene(width, height, bench::Look{}, car);
    if (!scene.opened) {
        std::fprintf(stderr, "draw_frames: cannot load vk%d.x\n", car);
        return 1;
    }
    for (int i = 0; i < frames; ++i) scene.Frame();
    return 0;
}
