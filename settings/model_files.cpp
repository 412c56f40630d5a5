#include "settings/model_files.h"

const ModelFile ModelFiles[ModelCount] = {
    {"vk1.x", "Model 1"}, {"vk2.x", "Model 2"}, {"vk3.x", "Model 3"}, {"vk4.x", "Model 4"}, {"vk5.x", "Model 5"},
    {"vk6.x", "Model 6"}, {"vk7.x", "Model 7"}, {"vk8.x", "Model 8"}, {"vk9.x", "Model 9"},
};

int32_t SafeModelIndex(int32_t modelIndex) { return modelIndex >= 0 && modelIndex < ModelCount ? modelIndex : 0; }

const ModelFile& ModelFileFor(int32_t modelIndex) { return ModelFiles[SafeModelIndex(modelIndex)]; }
