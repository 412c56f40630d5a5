#pragma once
// What tests/data/parts_car.x holds, checked in the native and the Windows build alike.

#include <gtest/gtest.h>

#include <string>

#include "retained/model_file_loading.h"

inline void ExpectPartsCarCounts(const std::string& path) {
    varnoka::rm::MeshData data;
    varnoka::rm::ModelLoadReport report;
    ASSERT_EQ(varnoka::rm::LoadModelFile(path.c_str(), nullptr, nullptr, data, &report), D3DRM_OK) << path;
    EXPECT_EQ(report.counts.vertices, 9u);
    EXPECT_EQ(report.counts.faces, 3u);
    EXPECT_EQ(report.counts.materials, 2u);
    EXPECT_EQ(report.counts.textures, 1u);
    EXPECT_EQ(report.missingTextures.size(), 1u);
    EXPECT_EQ(data.positions.size(), 9u);
    EXPECT_EQ(data.faces.size(), 3u);
}
