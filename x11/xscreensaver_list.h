#pragma once
// The user's list of XScreenSaver display modes. The daemon runs, and its settings program lists,
// only the programs of the `programs` setting in ~/.xscreensaver, which no package can change for
// its users; so the display mode adds itself there when asked (--add-to-xscreensaver).

#include <string>

// The entry added: the command the daemon runs, found in its folder of display modes.
constexpr const char* HackEntry = "varnoka --root";

// Where XScreenSaver keeps the defaults a missing ~/.xscreensaver stands for.
constexpr const char* XScreenSaverDefaults = "/etc/X11/app-defaults/XScreenSaver";

enum class ListChange {
    Added,
    AlreadyListed,  // an entry runs a program called varnoka already
    NoList,         // the text has no `programs` setting
};

// Adds the entry first in the `programs` setting of a ~/.xscreensaver text, keeping everything
// else as it stands.
ListChange AddToProgramList(std::string& settings);

// A ~/.xscreensaver text whose `programs` setting is the defaults' (the text of the daemon's
// defaults file) with the entry added first; every other setting stays the daemon's default.
// Empty when the defaults have no list.
std::string SettingsFromDefaults(const std::string& defaults);

// Does it for a user: ~/.xscreensaver changed in place, or made from the defaults file when it is
// missing. 0, or 1 when it could not be done; `message` says what happened either way.
int AddToUserList(const std::string& home, const std::string& defaultsPath, std::string& message);
