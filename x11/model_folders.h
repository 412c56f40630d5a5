#pragma once
// Where the display mode looks for the cars, in order: the folder given with --models alone,
// else the user's data folder, the installed folder and the folder beside the program. Each car
// comes from the first of them that holds its file.

#include <string>
#include <vector>

constexpr const char* InstalledModelsFolder = "/usr/share/varnoka/models";

// The folders for the option's value (empty when not given), the environment's XDG_DATA_HOME and
// HOME (null when unset) and the program's own folder (empty when unknown).
std::vector<std::string> ModelFolders(const std::string& modelsOption, const char* xdgDataHome, const char* home,
                                      const std::string& programFolder);

// The folder of the running program, from /proc; empty when it cannot be read.
std::string RunningProgramFolder();

// The folder of the user's own cars: the option's value when given, else
// $XDG_DATA_HOME/varnoka/cars (~/.local/share/varnoka/cars); empty when neither can be had.
std::string OwnCarsFolderFor(const std::string& carsOption, const char* xdgDataHome, const char* home);
