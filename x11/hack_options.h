#pragma once
// The display mode's command line, in XScreenSaver's style: long options with one or two dashes,
// each taking its value as the next argument or after "=".

#include <cstdint>
#include <string>
#include <vector>

#include "settings/saver_settings.h"

// Where the picture goes.
enum class DrawTarget {
    OwnWindow,    // a window of its own (--window, the default)
    Root,         // the daemon's window, else the root window (--root)
    GivenWindow,  // a window named by its id (--window-id): the settings program's preview
};

constexpr int32_t RandomModel = 0;  // as HackOptions::model
constexpr int32_t MaxSwitchSeconds = 3600;
constexpr int64_t MaxDelayMicroseconds = 10000000;

struct HackOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    unsigned long windowId = 0;   // with GivenWindow
    int32_t model = RandomModel;  // 1 to 9, or RandomModel
    int32_t switchSeconds = 30;   // 0: never
    int32_t shade = GouraudShading;
    int32_t fill = SolidFill;
    int32_t colors = RgbColors;
    bool dither = true;
    bool linearFiltering = false;
    int32_t backgroundRed = 0, backgroundGreen = 0, backgroundBlue = 0;
    int64_t delayMicroseconds = 0;  // an extra pause after every frame
    bool fps = false;
    std::string modelsFolder;  // empty: the usual places
    std::string ownCar;        // the file name of one of the user's own cars; empty: none chosen
    std::string carsFolder;    // the user's own cars; empty: the usual place
    bool help = false;
    bool version = false;
    bool addToXScreenSaver = false;  // add "varnoka --root" to the user's XScreenSaver list, then end
};

struct ParsedOptions {
    bool ok = false;
    HackOptions options;
    std::string error;  // when not ok: what was wrong, naming the option and what it takes
};

// The arguments after the program's name.
ParsedOptions ParseHackOptions(const std::vector<std::string>& arguments);

// The usage text of --help, for a program called `program`.
std::string HackUsage(const std::string& program);

// The saver's settings as the options ask; `firstRandomModel` (0 to 8) is the model a random
// choice starts with. An own car chosen is shown instead of a random one; the model given, else the
// first, stands in for it when its file is gone.
SaverSettings SettingsForOptions(const HackOptions& options, int32_t firstRandomModel);
