#pragma once
// Where the model files are: the full path of each model of the table, so that loading never
// depends on the current directory.

#include <string>
#include <vector>

#include "settings/saver_settings.h"

// Each model from the first folder that holds its file; from the first folder when none does
// (its load then reports the file as not found).
void PlaceModelsFrom(const std::vector<std::string>& folders);

// Models this run found it cannot read, as the front end that goes on without them marks them; a
// random switch passes them over. Placing the models clears the marks.
void SetModelUnreadable(int32_t modelIndex);
bool ModelUnreadable(int32_t modelIndex);
int32_t ReadableModelCount();

// One file for every model: for drawing a given file the way the saver does.
void PlaceEveryModelAt(const std::string& path);

// The path of a model; an index outside the table means the first model.
const char* ModelPath(int32_t modelIndex);

// The folder part of a path (without its separator), empty when it has none.
std::string FolderOf(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
