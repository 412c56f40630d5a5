#include <windows.h>

#include <commdlg.h>

#include "resources/resource_ids.h"
#include "retained/d3drm_api.h"
#include "settings/color_chooser.h"
#include "windows_support/saver_window_fixture.h"

namespace {

using ColorChooserTest = SaverWindowTest;

D3DCOLOR Packed(int red, int green, int blue, int alpha) {
    return D3DRMCreateColorRGBA(red / 255.0f, green / 255.0f, blue / 255.0f, alpha / 255.0f);
}

TEST_F(ColorChooserTest, OpensWithTheColourAndItsAlphaAndTakesTheChoice) {
    D3DCOLOR color = Packed(10, 20, 30, 255);
    fakeScene.chosenColor = RGB(200, 100, 50);
    fakeScene.typeAlpha = true;
    fakeScene.typedAlpha = "128";
    EXPECT_EQ(ChooseBackgroundColor(nullptr, color), 1);
    EXPECT_EQ(fakeScene.initialColor, RGB(10, 20, 30));
    EXPECT_EQ(fakeScene.alphaShown, "255") << "an opaque colour shows 255";
    EXPECT_EQ(fakeScene.colorTemplate, "ViewerChooseColor");
    EXPECT_EQ(fakeScene.colorFlags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_ENABLETEMPLATE));
    EXPECT_TRUE(fakeScene.customColorsWhite);
    EXPECT_EQ(color, Packed(200, 100, 50, 128));
}

TEST_F(ColorChooserTest, AnAlphaOutOfRangeIsRejectedAndTheColourTakenWithTheOldOne) {
    fakeScene.chosenColor = RGB(1, 2, 3);
    fakeScene.typeAlpha = true;
    for (const char* typed : {"256", "1000", "-1"}) {
        D3DCOLOR color = Packed(9, 9, 9, 77);
        fakeScene.typedAlpha = typed;
        EXPECT_EQ(ChooseBackgroundColor(nullptr, color), 1) << typed;
        EXPECT_EQ(fakeScene.alphaAfterOk, "77") << "the field shows the old alpha again";
        EXPECT_EQ(color, Packed(1, 2, 3, 77)) << typed;
    }
    D3DCOLOR color = Packed(9, 9, 9, 77);
    fakeScene.typedAlpha = "abc";
    ChooseBackgroundColor(nullptr, color);
    EXPECT_EQ(color, Packed(1, 2, 3, 0)) << "no digits read as 0";
    color = Packed(9, 9, 9, 77);
    fakeScene.typedAlpha = "";
    ChooseBackgroundColor(nullptr, color);
    EXPECT_EQ(color, Packed(1, 2, 3, 77)) << "an empty field keeps the alpha";
}

TEST_F(ColorChooserTest, CancelLeavesTheColourAndEveryByteSurvivesTheRoundTrip) {
    fakeScene.colorCancelled = true;
    D3DCOLOR color = Packed(12, 34, 56, 78);
    EXPECT_EQ(ChooseBackgroundColor(nullptr, color), 0);
    EXPECT_EQ(color, Packed(12, 34, 56, 78));

    fakeScene.colorCancelled = false;
    for (int b = 0; b < 256; ++b) {
        color = Packed(b, 255 - b, b, b);
        fakeScene.chosenColor = RGB(b, 255 - b, b);
        ASSERT_EQ(ChooseBackgroundColor(nullptr, color), 1);
        ASSERT_EQ(fakeScene.initialColor, RGB(b, 255 - b, b)) << b;
        ASSERT_EQ(color, Packed(b, 255 - b, b, b)) << b;
    }
}

}  // namespace
