#include "x11/hack_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "settings/setting_words.h"

namespace {

// A whole decimal number from low to high.
bool ParseNumber(const std::string& text, int64_t low, int64_t high, int64_t& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12) return false;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

// A window id as X prints them: decimal, or hexadecimal after 0x.
bool ParseWindowId(const std::string& text, unsigned long& id) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFFFFFFull) return false;
    id = static_cast<unsigned long>(value);
    return true;
}

bool ParseColor(const std::string& text, HackOptions& options) {
    // The settings program's text field left empty: the default, black.
    if (text.empty()) {
        options.backgroundRed = options.backgroundGreen = options.backgroundBlue = 0;
        return true;
    }
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        return false;
    const long rgb = std::strtol(text.c_str() + 1, nullptr, 16);
    options.backgroundRed = static_cast<int32_t>((rgb >> 16) & 0xFF);
    options.backgroundGreen = static_cast<int32_t>((rgb >> 8) & 0xFF);
    options.backgroundBlue = static_cast<int32_t>(rgb & 0xFF);
    return true;
}

// Reads the value of an option that takes one; false with the error set when it is not valid.
bool ReadValue(const std::string& name, const std::string& value, HackOptions& options, std::string& error) {
    const auto refuse = [&](const char* accepted) {
        error = "--" + name + " takes " + accepted + ", not \"" + value + "\"";
        return false;
    };
    int64_t number = 0;
    if (name == "window-id") {
        if (!ParseWindowId(value, options.windowId)) return refuse("a window id (decimal, or hexadecimal after 0x)");
        options.target = DrawTarget::GivenWindow;
    } else if (name == "model") {
        if (value == "random") {
            options.model = RandomModel;
        } else if (ParseNumber(value, 1, ModelCount, number)) {
            options.model = static_cast<int32_t>(number);
        } else {
            return refuse("a model from 1 to 9 or \"random\"");
        }
    } else if (name == "switch") {
        if (!ParseNumber(value, 0, MaxSwitchSeconds, number)) return refuse("seconds from 0 (never) to 3600");
        options.switchSeconds = static_cast<int32_t>(number);
    } else if (name == "shade") {
        if (!ShadeFromWord(value, options.shade)) return refuse("flat, gouraud or phong");
    } else if (name == "fill") {
        if (!FillFromWord(value, options.fill)) return refuse("points, wireframe or solid");
    } else if (name == "color") {
        if (!ColorsFromWord(value, options.colors)) return refuse("rgb or mono");
    } else if (name == "filter") {
        int32_t linear = 0;
        if (!FilteringFromWord(value, linear)) return refuse("nearest or linear");
        options.linearFiltering = linear != 0;
    } else if (name == "background") {
        if (!ParseColor(value, options)) return refuse("a colour as #RRGGBB");
    } else if (name == "delay") {
        if (!ParseNumber(value, 0, MaxDelayMicroseconds, number)) return refuse("microseconds from 0 to 10000000");
        options.delayMicroseconds = number;
    } else if (name == "models") {
        if (value.empty()) return refuse("a folder");
        options.modelsFolder = value;
    } else if (name == "car") {
        // The settings program passes an empty field as it stands: no car of the user's chosen.
        if (value.find('/') != std::string::npos) return refuse("the file name of one of your cars");
        options.ownCar = value;
    } else if (name == "cars") {
        if (value.empty()) return refuse("a folder");
        options.carsFolder = value;
    }
    return true;
}

bool TakesValue(const std::string& name) {
    for (const char* option : {"window-id", "model", "switch", "shade", "fill", "color", "filter", "background",
                               "delay", "models", "car", "cars"})
        if (name == option) return true;
    return false;
}

// Sets a flag option; false when the name is none.
bool SetFlag(const std::string& name, HackOptions& options) {
    if (name == "root")
        options.target = DrawTarget::Root;
    else if (name == "window")
        options.target = DrawTarget::OwnWindow;
    else if (name == "dither")
        options.dither = true;
    else if (name == "no-dither")
        options.dither = false;
    else if (name == "fps")
        options.fps = true;
    else if (name == "help" || name == "h")
        options.help = true;
    else if (name == "version")
        options.version = true;
    else if (name == "add-to-xscreensaver")
        options.addToXScreenSaver = true;
    else
        return false;
    return true;
}

}  // namespace

ParsedOptions ParseHackOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    HackOptions& options = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument[0] != '-') {
            parsed.error = "unexpected argument \"" + argument + "\"";
            return parsed;
        }
        std::string name = argument.substr(argument.compare(0, 2, "--") == 0 ? 2 : 1);
        std::string value;
        const std::string::size_type equals = name.find('=');
        const bool valueGiven = equals != std::string::npos;
        if (valueGiven) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (TakesValue(name)) {
            if (!valueGiven) {
                if (i + 1 >= arguments.size()) {
                    parsed.error = "--" + name + " needs a value";
                    return parsed;
                }
                value = arguments[++i];
            }
            if (!ReadValue(name, value, options, parsed.error)) return parsed;
        } else if (valueGiven || !SetFlag(name, options)) {
            parsed.error = "unknown option \"" + argument + "\"";
            return parsed;
        }
    }
    parsed.ok = true;
    return parsed;
}

std::string HackUsage(const std::string& program) {
    return "usage: " + program +
           " [--root | --window | --window-id ID] [options]\n"
           "\n"
           "Varnoka: a slowly turning 3D car, as an XScreenSaver display mode.\n"
           "\n"
           "  --root                draw on the daemon's window ($XSCREENSAVER_WINDOW) or the root window\n"
           "  --window              draw in a window of its own (the default); drag the car with the\n"
           "                        left button to turn it and the right one to move it; q or Esc quits\n"
           "  --window-id ID        draw in the window with that id (decimal, or hexadecimal after 0x)\n"
           "  --model 1..9|random   the car to show (default: random)\n"
           "  --switch SECONDS      show another car this often; 0 never (default: 30)\n"
           "  --shade flat|gouraud|phong      shading (default: gouraud)\n"
           "  --fill points|wireframe|solid   what faces are drawn as (default: solid)\n"
           "  --color rgb|mono      full colour, or shades of each face's colour (default: rgb)\n"
           "  --dither, --no-dither            dither colours (default: on)\n"
           "  --filter nearest|linear          texture filtering (default: nearest)\n"
           "  --background #RRGGBB  the colour behind the car (default: #000000)\n"
           "  --delay MICROSECONDS  an extra pause after every frame (default: 0)\n"
           "  --fps                 show frames per second and processor load in a corner\n"
           "  --models DIR          read the cars from DIR\n"
           "  --car FILE            show your own car FILE (a file name in your cars folder)\n"
           "  --cars DIR            read your own cars from DIR\n"
           "  --add-to-xscreensaver add Varnoka to your XScreenSaver list of display modes\n"
           "                        (~/.xscreensaver), so that its settings program offers it\n"
           "  --help, --version\n"
           "\n"
           "Cars are read from --models, else $XDG_DATA_HOME/varnoka/models, else\n"
           "/usr/share/varnoka/models, else models/ beside the program. Your own cars (.x, .glb and\n"
           ".gltf files) are read from --cars, else $XDG_DATA_HOME/varnoka/cars (~/.local/share/varnoka/cars),\n"
           "and take turns with the nine. There is no music on Linux.\n";
}

SaverSettings SettingsForOptions(const HackOptions& options, int32_t firstRandomModel) {
    SaverSettings settings = DefaultSaverSettings();
    settings.shadeMode = options.shade;
    settings.fillMode = options.fill;
    settings.colorModel = options.colors;
    settings.dithered = options.dither ? 1 : 0;
    settings.textureFiltering = options.linearFiltering ? 1 : 0;
    const bool random = options.model == RandomModel && options.ownCar.empty();
    settings.randomModels = random ? 1 : 0;
    settings.modelIndex = random ? firstRandomModel : options.model == RandomModel ? 0 : options.model - 1;
    std::snprintf(settings.ownCar, sizeof settings.ownCar, "%s", options.ownCar.c_str());
    settings.switchModels = options.switchSeconds > 0 ? 1 : 0;
    settings.switchDelay = options.switchSeconds;
    settings.backgroundRed = options.backgroundRed;
    settings.backgroundGreen = options.backgroundGreen;
    settings.backgroundBlue = options.backgroundBlue;
    return settings;
}
