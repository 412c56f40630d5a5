// varnoka: the saver's turning car as an XScreenSaver display mode ("hack").
//
//   varnoka [--root | --window | --window-id ID] [options]     (varnoka --help lists them)

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "scene/model_shelf.h"
#include "scene/saver_picture.h"
#include "settings/random_generator.h"
#include "x11/hack_loop.h"
#include "x11/hack_options.h"
#include "x11/model_folders.h"
#include "x11/x_host.h"
#include "x11/x_window.h"
#include "x11/xscreensaver_list.h"

int main(int argc, char** argv) {
    const std::string program = "varnoka";
    const ParsedOptions parsed = ParseHackOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        std::fprintf(stderr, "%s: %s\n\n%s", program.c_str(), parsed.error.c_str(), HackUsage(program).c_str());
        return 1;
    }
    const HackOptions& options = parsed.options;
    if (options.help) {
        std::fputs(HackUsage(program).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", program.c_str(), VARNOKA_VERSION);
        return 0;
    }
    if (options.addToXScreenSaver) {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            std::fprintf(stderr, "%s: HOME does not name your home folder\n", program.c_str());
            return 1;
        }
        std::string message;
        const int status = AddToUserList(home, XScreenSaverDefaults, message);
        std::fprintf(status == 0 ? stdout : stderr, "%s: %s\n", program.c_str(), message.c_str());
        return status;
    }

    PlaceModelsFrom(
        ModelFolders(options.modelsFolder, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), RunningProgramFolder()));
    PlaceOwnCars(OwnCarsFolderFor(options.carsFolder, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    saverSettings = SettingsForOptions(options, NextRandom() % ModelCount);
    ChooseFirstCar();

    std::string error;
    const std::unique_ptr<XHackWindow> window = XHackWindow::Open(options, error);
    if (window == nullptr) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), error.c_str());
        return 1;
    }
    // The host takes SIGTERM from here on, so that a daemon's stop while the first car loads
    // still ends the program cleanly, at the loop's first wait.
    XHackHost host(*window, options.fps);
    if (!OpenHackPicture(window->Handle())) {
        std::fprintf(stderr, "%s: none of the cars can be shown\n", program.c_str());
        return 1;
    }
    LoopSettings settings;
    settings.delayMicroseconds = options.delayMicroseconds;
    const int status = RunHackLoop(host, window->Handle(), settings);
    ClosePicture();
    if (status != 0) std::fprintf(stderr, "%s: none of the cars can be shown any more\n", program.c_str());
    return status;
}
