#pragma once
#include <cstdint>

#include "settings/saver_settings.h"

// The nine car models the saver shows, indexed by the settings' model index.
struct ModelFile {
    const char* fileName;
    const char* label;
};

extern const ModelFile ModelFiles[ModelCount];

// A stored model index is read unchecked from the settings file, so every use of the table
// goes through here: an index outside 0 to 8 means the first model.
int32_t SafeModelIndex(int32_t modelIndex);
const ModelFile& ModelFileFor(int32_t modelIndex);
