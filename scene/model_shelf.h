#pragma once
// Where the models are: the full path of each of the nine and of the user's own cars after them,
// so that loading never depends on the current directory. A model index counts them all from 0.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/saver_settings.h"

// Each of the nine from the first folder that holds its file; from the first folder when none
// does (its load then reports the file as not found). Leaves no own cars on the shelf.
void PlaceModelsFrom(const std::vector<std::string>& folders);

// Puts the car files of the user's folder after the nine, sorted as the options dialog lists them.
void PlaceOwnCars(const std::string& folder);

// The nine and the own cars placed.
int32_t ShelfCount();
bool IsOwnCar(int32_t modelIndex);
// The file name without its extension, as the options dialog lists the car.
std::string OwnCarLabel(int32_t modelIndex);
// Whether the model is the own car the settings name.
bool IsChosenOwnCar(int32_t modelIndex);

// Picks the first car from the settings: with random models, any car on the shelf (the settings'
// own pick among the nine stands when there are no own cars); else the own car stored, when its
// file is on the shelf; else the stored one of the nine.
void ChooseFirstCar();

// The one of the nine the settings name: where an own car that cannot be read gives way.
int32_t StoredModel();

// Models this run found it cannot read, as the front end that goes on without them marks them; a
// random switch passes them over. Placing the models clears the marks.
void SetModelUnreadable(int32_t modelIndex);
bool ModelUnreadable(int32_t modelIndex);
int32_t ReadableModelCount();

// One file for every model: for drawing a given file the way the saver does.
void PlaceEveryModelAt(const std::string& path);
// One own car after the nine: for drawing a given file the way the saver draws a user's car.
void PlaceOwnCarAt(const std::string& path);

// The path of a model; an index outside the shelf means the first model.
const char* ModelPath(int32_t modelIndex);

// The folder part of a path (without its separator), empty when it has none.
std::string FolderOf(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
