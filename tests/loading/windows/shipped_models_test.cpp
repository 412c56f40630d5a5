#include <gtest/gtest.h>

#include <string>

#include "retained/model_file_loading.h"

// The nine models we ship load in the Windows build too, whole.
TEST(ShippedModels, EveryOneLoadsInTheWindowsBuild) {
    for (int n = 1; n <= 9; ++n) {
        const std::string path = "Z:" VARNOKA_MODELS_DIR "/vk" + std::to_string(n) + ".x";
        SCOPED_TRACE(path);
        varnoka::rm::MeshData data;
        varnoka::rm::ModelLoadReport report;
        ASSERT_EQ(varnoka::rm::LoadModelFile(path.c_str(), nullptr, nullptr, data, &report), D3DRM_OK);
        EXPECT_GE(report.counts.faces, 2000u);
        EXPECT_LE(report.counts.faces, 15000u);
        EXPECT_EQ(data.faces.size(), report.counts.faces);
        EXPECT_GE(report.counts.textures, 2u);
    }
}
