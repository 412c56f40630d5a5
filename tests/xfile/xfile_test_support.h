#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "retained/xfile/xfile_reader.h"

using varnoka::LoadStatus;
using varnoka::xfile::LoadedModel;

inline LoadStatus ReadBytes(const std::vector<std::uint8_t>& bytes, LoadedModel& model) {
    return varnoka::xfile::ReadXFile(bytes.data(), bytes.size(), model);
}

inline LoadStatus ReadText(const std::string& text, LoadedModel& model) {
    return varnoka::xfile::ReadXFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), model);
}

inline std::string DataPath(const std::string& name) { return std::string(VARNOKA_TEST_DATA_DIR) + "/" + name; }

#define EXPECT_VECTOR3(v, ex, ey, ez) \
    do {                              \
        EXPECT_FLOAT_EQ((v).x, ex);   \
        EXPECT_FLOAT_EQ((v).y, ey);   \
        EXPECT_FLOAT_EQ((v).z, ez);   \
    } while (0)
