#pragma once
// The saver's picture opened on a memory window with settings of the test's choosing, and
// closed again after the test.

#include <gtest/gtest.h>

#include <memory>

#include "retained/memory_window.h"
#include "scene/saver_picture.h"
#include "settings/saver_settings.h"

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { ClosePicture(); }

    PictureStep Open(int width = 160, int height = 120);
    // Moves the scene by `units`, clears, renders and shows the frame.
    void Draw(float units = 1.0f);

    D3DVECTOR PositionOf(IDirect3DRMFrame* frame);
    std::uint32_t Pixel(int x, int y) const { return window->Pixel(x, y); }
    int PixelsNot(std::uint32_t color) const;

    std::unique_ptr<varnoka::rm::MemoryWindow> window;
};
