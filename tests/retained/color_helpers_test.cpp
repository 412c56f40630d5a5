#include <gtest/gtest.h>

#include "retained/d3drm_api.h"

namespace {

TEST(ColorHelpers, EveryByteSurvivesPackingAndUnpacking) {
    for (int b = 0; b < 256; ++b) {
        const float component = static_cast<float>(b) / 255.0f;
        const D3DCOLOR packed = D3DRMCreateColorRGBA(component, component, component, component);
        ASSERT_EQ(packed, static_cast<D3DCOLOR>(b * 0x01010101u)) << b;
        for (float back : {D3DRMColorGetRed(packed), D3DRMColorGetGreen(packed), D3DRMColorGetBlue(packed),
                           D3DRMColorGetAlpha(packed)}) {
            ASSERT_EQ(static_cast<int>(back * 255.0f), b) << b;
            ASSERT_EQ(static_cast<int>(static_cast<double>(back) * 255.0), b) << b;
        }
    }
}

TEST(ColorHelpers, ChannelsLandInTheirBytesAndOutOfRangeIsClamped) {
    EXPECT_EQ(D3DRMCreateColorRGB(1.0f, 0.0f, 0.0f), 0xFFFF0000u);
    EXPECT_EQ(D3DRMCreateColorRGBA(0.0f, 1.0f, 0.0f, 0.0f), 0x0000FF00u);
    EXPECT_EQ(D3DRMCreateColorRGB(2.0f, -1.0f, 0.5f), 0xFFFF0080u);
    EXPECT_FLOAT_EQ(D3DRMColorGetBlue(0x000000FFu), 1.0f);
}

TEST(VectorHelpers, CrossProductOfAxesAndAliasedDestination) {
    D3DVECTOR up{0, 1, 0}, forward{0, 0, 1}, right{};
    EXPECT_EQ(D3DRMVectorCrossProduct(&right, &up, &forward), &right);
    EXPECT_FLOAT_EQ(right.x, 1.0f);
    EXPECT_FLOAT_EQ(right.y, 0.0f);
    EXPECT_FLOAT_EQ(right.z, 0.0f);
    // The destination may be one of the inputs.
    D3DVECTOR a{1, 2, 3}, b{4, 5, 6};
    D3DRMVectorCrossProduct(&a, &a, &b);
    EXPECT_FLOAT_EQ(a.x, -3.0f);
    EXPECT_FLOAT_EQ(a.y, 6.0f);
    EXPECT_FLOAT_EQ(a.z, -3.0f);
}

}  // namespace
