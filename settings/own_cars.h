#pragma once
// The user's own cars: model files dropped into a folder of theirs, shown after the nine.

#include <cstddef>
#include <string>
#include <vector>

struct OwnCar {
    std::string fileName;  // as found in the folder
    std::string label;     // the file name without its extension, as lists show it
};

// More are left out: a list of them must stay a list a person can choose from.
constexpr std::size_t MaxOwnCars = 1000;

// The car of a file name, labelled as lists show it.
OwnCar OwnCarNamed(const std::string& fileName);

// Whether a file name is one of the model kinds read: .x, .glb or .gltf, in any case.
bool IsCarFileName(const std::string& fileName);

// The car files in a folder (not its subfolders, not hidden ones), sorted by label without regard
// to case. Empty when the folder is missing or cannot be read.
std::vector<OwnCar> ListOwnCars(const std::string& folder);
