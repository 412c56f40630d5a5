#include "x11/xscreensaver_list.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

bool Continues(const std::string& line) { return !line.empty() && line.back() == '\\'; }

// The line where the setting `name:` starts (after blanks), or -1.
int SettingLine(const std::vector<std::string>& lines, const std::string& name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string::size_type start = lines[i].find_first_not_of(" \t");
        if (start != std::string::npos && lines[i].compare(start, name.size(), name) == 0) return static_cast<int>(i);
    }
    return -1;
}

// Whether a line of the list runs a program called varnoka, by any path.
bool RunsVarnoka(const std::string& line) {
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        const std::string::size_type slash = word.rfind('/');
        if ((slash == std::string::npos ? word : word.substr(slash + 1)) == "varnoka") return true;
    }
    return false;
}

const std::string EntryLine = std::string("\t\t\t\t  ") + HackEntry + "\t\t\t    \\n\\";

}  // namespace

ListChange AddToProgramList(std::string& settings) {
    std::vector<std::string> lines = Lines(settings);
    const int first = SettingLine(lines, "programs:");
    if (first < 0) return ListChange::NoList;
    int last = first;
    while (Continues(lines[static_cast<std::size_t>(last)]) && last + 1 < static_cast<int>(lines.size())) ++last;
    std::string& head = lines[static_cast<std::size_t>(first)];
    const std::string::size_type colon = head.find(':');
    if (RunsVarnoka(head.substr(colon + 1))) return ListChange::AlreadyListed;
    for (int i = first + 1; i <= last; ++i)
        if (RunsVarnoka(lines[static_cast<std::size_t>(i)])) return ListChange::AlreadyListed;

    if (Continues(head)) {
        lines.insert(lines.begin() + first + 1, EntryLine);
    } else {
        // The whole list on the setting's own line, or none: it moves below the entry.
        const std::string::size_type valueStart = head.find_first_not_of(" \t", colon + 1);
        const std::string rest = valueStart == std::string::npos ? std::string() : head.substr(valueStart);
        head = head.substr(0, colon + 1) + "\t\\";
        if (rest.empty()) {
            lines.insert(lines.begin() + first + 1, EntryLine.substr(0, EntryLine.size() - 1));
        } else {
            lines.insert(lines.begin() + first + 1, EntryLine);
            lines.insert(lines.begin() + first + 2, "\t\t\t\t  " + rest);
        }
    }
    settings = Joined(lines);
    return ListChange::Added;
}

std::string SettingsFromDefaults(const std::string& defaults) {
    const std::vector<std::string> lines = Lines(defaults);
    const int first = SettingLine(lines, "*programs:");
    if (first < 0) return {};
    std::vector<std::string> list;
    for (int i = first; i < static_cast<int>(lines.size()); ++i) {
        list.push_back(lines[static_cast<std::size_t>(i)]);
        if (!Continues(list.back())) break;
    }
    list.front().erase(0, list.front().find('*') + 1);
    std::string settings =
        "# XScreenSaver Preferences File\n"
        "# Made by varnoka --add-to-xscreensaver from the daemon's list of display modes;\n"
        "# every setting not written here is the daemon's default.\n\n" +
        Joined(list);
    AddToProgramList(settings);
    return settings;
}

int AddToUserList(const std::string& home, const std::string& defaultsPath, std::string& message) {
    const std::string path = home + "/.xscreensaver";
    std::string settings;
    std::ifstream existing(path, std::ios::binary);
    if (existing) {
        settings.assign(std::istreambuf_iterator<char>(existing), std::istreambuf_iterator<char>());
        existing.close();
        switch (AddToProgramList(settings)) {
            case ListChange::AlreadyListed:
                message = path + " lists Varnoka already";
                return 0;
            case ListChange::NoList:
                message = path + " has no list of display modes (programs:); choose one in xscreensaver-settings first";
                return 1;
            case ListChange::Added:
                break;
        }
    } else {
        std::ifstream defaults(defaultsPath, std::ios::binary);
        settings = SettingsFromDefaults(
            std::string(std::istreambuf_iterator<char>(defaults), std::istreambuf_iterator<char>()));
        if (settings.empty()) {
            message = "cannot read XScreenSaver's list of display modes from " + defaultsPath;
            return 1;
        }
    }
    // Written beside it and renamed over it, so that the daemon never reads half a file; with
    // the old file's permissions.
    const std::string written = path + ".varnoka-new";
    {
        std::ofstream out(written, std::ios::binary | std::ios::trunc);
        out << settings;
        if (!out.flush()) {
            std::remove(written.c_str());
            message = "cannot write " + written;
            return 1;
        }
    }
    struct stat old {};
    if (stat(path.c_str(), &old) == 0) chmod(written.c_str(), old.st_mode & 07777);
    if (std::rename(written.c_str(), path.c_str()) != 0) {
        std::remove(written.c_str());
        message = "cannot replace " + path;
        return 1;
    }
    message = "Varnoka is now in the list of display modes in " + path;
    return 0;
}
