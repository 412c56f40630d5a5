#include "scene/error_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "retained/d3drm_types.h"

namespace {

constexpr const char* Unrecognized = "Unrecognized error value.";
constexpr const char* SurfaceLostText =
    "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object "
    "representing this surface should have Restore called on it.";

bool Known(HRESULT code) { return std::strcmp(ErrorText(code), Unrecognized) != 0; }

}  // namespace

TEST(ErrorText, GeneralCodesAndFixedWordings) {
    EXPECT_STREQ(ErrorText(D3DRM_OK), "No error.");
    EXPECT_STREQ(ErrorText(E_NOTIMPL), "Action not supported.");
    EXPECT_STREQ(ErrorText(E_FAIL), "Generic failure.");
    EXPECT_STREQ(ErrorText(E_OUTOFMEMORY), "DirectDraw does not have enough memory to perform the operation.");
    EXPECT_STREQ(ErrorText(E_INVALIDARG), "One or more of the parameters passed to the function are incorrect.");
    EXPECT_STREQ(ErrorText(MakeDirectXError(250)),
                 "Operation could not be carried out because there is no hardware present or available.");
    EXPECT_STREQ(ErrorText(MakeDirectXError(215)), "Surface doesn't currently have a color key");
    EXPECT_STREQ(ErrorText(MakeDirectXError(450)), SurfaceLostText);
    EXPECT_STREQ(ErrorText(D3DRMERR_FILENOTFOUND), "The file was not found.");
}

TEST(ErrorText, OutOfVideoMemoryReadsLikeOutOfMemory) {
    EXPECT_STREQ(ErrorText(MakeDirectXError(380)), ErrorText(E_OUTOFMEMORY));
}

TEST(ErrorText, CodesOutsideTheTableGetTheDefault) {
    // Neighbours of table codes, the edges of each group, and values whose sign would mislead a signed search.
    const HRESULT unknown[] = {E_NOINTERFACE,
                               E_POINTER,
                               S_FALSE,
                               static_cast<HRESULT>(0x80004000u),
                               static_cast<HRESULT>(0x8007000Fu),
                               MakeDirectXError(0),
                               MakeDirectXError(1),
                               MakeDirectXError(4),
                               MakeDirectXError(6),
                               MakeDirectXError(590),
                               MakeDirectXError(699),
                               MakeDirectXError(726),
                               MakeDirectXError(780),
                               MakeDirectXError(794),
                               static_cast<HRESULT>(0x08760000u + 787),
                               -1,
                               static_cast<HRESULT>(0x80000000u),
                               static_cast<HRESULT>(0x7FFFFFFF)};
    for (HRESULT code : unknown) {
        ASSERT_NE(ErrorText(code), nullptr) << std::hex << code;
        EXPECT_STREQ(ErrorText(code), Unrecognized) << std::hex << code;
    }
}

// The caller formats these into a 256-byte buffer after its own line, so the surface-lost text must stay the
// longest; every row must also be reachable through the search, which needs the table in ascending order.
TEST(ErrorText, TableIsOrderedAndEveryTextFits) {
    const size_t longest = std::strlen(SurfaceLostText);
    ASSERT_EQ(longest, 164u);
    int textsAtLongest = 0;
    for (int i = 0; i < ErrorTextCount; ++i) {
        const ErrorTextEntry& entry = ErrorTexts[i];
        if (i > 0) {
            EXPECT_LT(static_cast<uint32_t>(ErrorTexts[i - 1].code), static_cast<uint32_t>(entry.code)) << i;
        }
        ASSERT_NE(entry.text, nullptr) << i;
        EXPECT_GT(std::strlen(entry.text), 0u) << i;
        EXPECT_LE(std::strlen(entry.text), longest) << entry.text;
        if (std::strlen(entry.text) == longest) ++textsAtLongest;
        EXPECT_EQ(ErrorText(entry.code), entry.text) << std::hex << entry.code;
    }
    EXPECT_EQ(textsAtLongest, 1);
}

TEST(ErrorText, DirectDrawCodesHaveSentences) {
    // 86 DirectDraw codes plus the 39 Direct3D and retained-mode ones share the 0x8876 range.
    int directDraw = 0;
    int threeD = 0;
    for (unsigned n = 0; n < 1000; ++n) {
        const HRESULT code = MakeDirectXError(n);
        if (!Known(code)) continue;
        if (n >= 700) {
            ++threeD;
            continue;
        }
        ++directDraw;
        const std::string text = ErrorText(code);
        EXPECT_TRUE(text[0] >= 'A' && text[0] <= 'Z') << text;
        EXPECT_EQ(text.rfind("DDERR_", 0), std::string::npos) << text;
        // DDERR_NOCOLORKEY's wording has no closing full stop.
        if (n != 215) {
            EXPECT_EQ(text.back(), '.') << text;
        }
    }
    EXPECT_EQ(directDraw, 86);
    EXPECT_EQ(threeD, 39);
}

TEST(ErrorText, Direct3DAndRetainedModeCodesReadAsTheirNames) {
    struct Named {
        unsigned n;
        const char* name;
    };
    const Named names[] = {
        {700, "D3DERR_BADMAJORVERSION"},
        {701, "D3DERR_BADMINORVERSION"},
        {710, "D3DERR_EXECUTE_CREATE_FAILED"},
        {711, "D3DERR_EXECUTE_DESTROY_FAILED"},
        {712, "D3DERR_EXECUTE_LOCK_FAILED"},
        {713, "D3DERR_EXECUTE_UNLOCK_FAILED"},
        {714, "D3DERR_EXECUTE_LOCKED"},
        {715, "D3DERR_EXECUTE_NOT_LOCKED"},
        {716, "D3DERR_EXECUTE_FAILED"},
        {717, "D3DERR_EXECUTE_CLIPPED_FAILED"},
        {720, "D3DERR_TEXTURE_NO_SUPPORT"},
        {721, "D3DERR_TEXTURE_CREATE_FAILED"},
        {722, "D3DERR_TEXTURE_DESTROY_FAILED"},
        {723, "D3DERR_TEXTURE_LOCK_FAILED"},
        {724, "D3DERR_TEXTURE_UNLOCK_FAILED"},
        {725, "D3DERR_TEXTURE_LOAD_FAILED"},
        {727, "D3DERR_TEXTURELOCKED"},
        {728, "D3DERR_TEXTURE_NOT_LOCKED"},
        {730, "D3DERR_MATRIX_CREATE_FAILED"},
        {731, "D3DERR_MATRIX_DESTROY_FAILED"},
        {732, "D3DERR_MATRIX_SETDATA_FAILED"},
        {734, "D3DERR_SETVIEWPORTDATA_FAILED"},
        {740, "D3DERR_MATERIAL_CREATE_FAILED"},
        {741, "D3DERR_MATERIAL_DESTROY_FAILED"},
        {742, "D3DERR_MATERIAL_SETDATA_FAILED"},
        {750, "D3DERR_LIGHT_SET_FAILED"},
        {781, "D3DRMERR_BADOBJECT"},
        {782, "D3DRMERR_BADTYPE"},
        {783, "D3DRMERR_BADALLOC"},
        {784, "D3DRMERR_FACEUSED"},
        {785, "D3DRMERR_NOTFOUND"},
        {786, "D3DRMERR_NOTDONEYET"},
        {788, "D3DRMERR_BADFILE"},
        {789, "D3DRMERR_BADDEVICE"},
        {790, "D3DRMERR_BADVALUE"},
        {791, "D3DRMERR_BADMAJORVERSION"},
        {792, "D3DRMERR_BADMINORVERSION"},
        {793, "D3DRMERR_UNABLETOEXECUTE"},
    };
    for (const Named& named : names) EXPECT_STREQ(ErrorText(MakeDirectXError(named.n)), named.name) << named.n;
}
