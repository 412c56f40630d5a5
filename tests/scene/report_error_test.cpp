#include <string>

#include "scene/error_text.h"
#include "scene/report_error.h"
#include "windows_support/saver_window_fixture.h"

namespace {

using ReportErrorTest = SaverWindowTest;

TEST_F(ReportErrorTest, ReportsAreFormattedAndEndWithALineBreak) {
    ReportError("Failed to QI for IID_IDirect3DRM2.\n%s", ErrorText(static_cast<HRESULT>(0x80004002)));
    ReportError("Move failed");
    ASSERT_EQ(fakeScene.boxes.size(), 2u);
    EXPECT_EQ(fakeScene.boxes[0], "Viewer Message|Failed to QI for IID_IDirect3DRM2.\nUnrecognized error value.\r\n");
    EXPECT_EQ(fakeScene.boxes[1], "Viewer Message|Move failed\r\n");
    EXPECT_EQ(fakeScene.boxTypes[1] & (MB_TYPEMASK | MB_TOPMOST), static_cast<UINT>(MB_OK | MB_TOPMOST));
}

TEST_F(ReportErrorTest, TheLongestMessageFitsAndLongerOnesAreCut) {
    const char* longest = ErrorText(static_cast<HRESULT>(0x887601C2));  // the surface-lost text
    ReportError("Setting the render quality while changing the shade mode failed.\n%s", longest);
    const std::string text = fakeScene.boxes.at(0).substr(std::string("Viewer Message|").size());
    EXPECT_EQ(text.size() + 1, 232u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    const std::string tooLong(400, 'x');
    ReportError("%s", tooLong.c_str());
    const std::string cut = fakeScene.boxes.at(1).substr(std::string("Viewer Message|").size());
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut.substr(cut.size() - 2), "\r\n");
}

}  // namespace
