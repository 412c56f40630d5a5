#include "settings/model_files.h"

#include <gtest/gtest.h>

#include <string>

TEST(ModelFiles, NineModelsNamedInOrder) {
    for (int i = 0; i < ModelCount; ++i) {
        EXPECT_EQ(std::string(ModelFiles[i].fileName), "vk" + std::to_string(i + 1) + ".x");
        EXPECT_EQ(std::string(ModelFiles[i].label), "Model " + std::to_string(i + 1));
    }
}

TEST(ModelFiles, IndexOutsideTheTableMeansTheFirstModel) {
    EXPECT_EQ(SafeModelIndex(8), 8);
    EXPECT_EQ(SafeModelIndex(9), 0);
    EXPECT_EQ(SafeModelIndex(-1), 0);
    EXPECT_EQ(SafeModelIndex(INT32_MIN), 0);
    EXPECT_STREQ(ModelFileFor(4).fileName, "vk5.x");
    EXPECT_STREQ(ModelFileFor(1000).fileName, "vk1.x");
}
