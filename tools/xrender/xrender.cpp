// xrender: draws a .x or glTF model the way the saver shows it, into a PNG file, or tells what the
// file holds.
//
//   xrender MODEL.x|.glb|.gltf [OUT.png] [--size WxH] [--yaw DEGREES] [--info]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/error_text.h"
#include "settings/setting_words.h"
#include "tools/xrender/png_file.h"
#include "tools/xrender/saver_view.h"

namespace {

struct Options {
    std::string model;
    std::string output;
    int width = 640;
    int height = 480;
    double yawDegrees = 0;
    bool info = false;
    SaverSettings settings = DefaultSaverSettings();
};

int Usage() {
    std::fprintf(stderr,
                 "usage: xrender MODEL.x|.glb|.gltf [OUT.png] [--size WxH] [--yaw DEGREES] [--info]\n"
                 "               [--shade flat|gouraud|phong] [--fill points|wireframe|solid]\n"
                 "               [--filter nearest|linear] [--color rgb|mono] [--dither on|off]\n"
                 "               [--background R,G,B]\n");
    return 2;
}

bool ParseSize(const char* text, int& width, int& height) {
    char x = 0;
    char rest = 0;
    return std::sscanf(text, "%d%c%d%c", &width, &x, &height, &rest) == 3 && (x == 'x' || x == 'X') && width > 0 &&
           height > 0 && width <= 8192 && height <= 8192;
}

bool ParseBackground(const char* text, SaverSettings& settings) {
    int red = -1, green = -1, blue = -1;
    char rest = 0;
    if (std::sscanf(text, "%d,%d,%d%c", &red, &green, &blue, &rest) != 3) return false;
    for (int channel : {red, green, blue})
        if (channel < 0 || channel > 255) return false;
    settings.backgroundRed = red;
    settings.backgroundGreen = green;
    settings.backgroundBlue = blue;
    return true;
}

// The options as the saver's settings take them; dithering is switched over from the device's
// own, which a full-colour screen starts without.
bool ParseRenderOption(const std::string& name, const std::string& value, SaverSettings& settings) {
    if (name == "--shade") return ShadeFromWord(value, settings.shadeMode);
    if (name == "--fill") return FillFromWord(value, settings.fillMode);
    if (name == "--filter") return FilteringFromWord(value, settings.textureFiltering);
    if (name == "--color") return ColorsFromWord(value, settings.colorModel);
    if (name == "--dither" && (value == "on" || value == "off")) {
        settings.dithered = value == "on" ? 1 : 0;
        return true;
    }
    if (name == "--background") return ParseBackground(value.c_str(), settings);
    return false;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--info") {
            options.info = true;
        } else if (argument == "--size" && i + 1 < argc) {
            if (!ParseSize(argv[++i], options.width, options.height)) return false;
        } else if (argument == "--yaw" && i + 1 < argc) {
            char* end = nullptr;
            options.yawDegrees = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0') return false;
        } else if (argument.rfind("--", 0) == 0) {
            if (i + 1 >= argc || !ParseRenderOption(argument, argv[++i], options.settings)) return false;
        } else if (options.model.empty()) {
            options.model = argument;
        } else if (options.output.empty()) {
            options.output = argument;
        } else {
            return false;
        }
    }
    if (options.model.empty()) return false;
    if (options.output.empty()) {
        const std::string::size_type dot = options.model.find_last_of('.');
        const std::string::size_type slash = options.model.find_last_of('/');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        options.output = (hasExtension ? options.model.substr(0, dot) : options.model) + ".png";
    }
    return true;
}

// Why a model could not be had: the glTF reader's own sentence when it gave one.
int PrintFailure(HRESULT result, const varnoka::rm::ModelLoadReport& report) {
    std::printf("%s\n", report.problem.empty() ? ErrorText(result) : report.problem.c_str());
    return 1;
}

int PrintInfo(const Options& options) {
    varnoka::rm::ModelLoadReport report;
    const HRESULT result = ReadModelInfo(options.model, report);
    if (FAILED(result)) return PrintFailure(result, report);
    if (report.gltf) {
        // glTF faces are all triangles; its textures are the distinct images drawn.
        std::printf("glTF vertices %u triangles %u materials %u images %u missing %zu nodes %u meshes %u\n",
                    report.counts.vertices, report.counts.faces, report.counts.materials, report.counts.textures,
                    report.missingTextures.size(), report.nodes, report.meshes);
    } else {
        std::printf("vertices %u faces %u materials %u textures %u missing %zu\n", report.counts.vertices,
                    report.counts.faces, report.counts.materials, report.counts.textures,
                    report.missingTextures.size());
    }
    std::fflush(stdout);
    for (const std::string& name : report.missingTextures) std::fprintf(stderr, "missing texture: %s\n", name.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    if (options.info) return PrintInfo(options);

    SaverViewImage image;
    const HRESULT result =
        DrawSaverView(options.model, options.width, options.height, options.yawDegrees, image, options.settings);
    if (FAILED(result)) {
        varnoka::rm::ModelLoadReport report;
        ReadModelInfo(options.model, report);
        return PrintFailure(result, report);
    }
    if (!WritePng(options.output, image)) {
        std::fprintf(stderr, "cannot write %s\n", options.output.c_str());
        return 1;
    }
    std::printf("%s\n", options.output.c_str());
    return 0;
}
