#pragma once
// The window a saver's picture is opened on when a test compares what it shows: natively the
// engine's memory window, on Windows a real window read back through GDI.

#include <cstdint>
#include <memory>
#include <vector>

#include "retained/com_types.h"

class ShownWindow {
public:
    ShownWindow(int width, int height);
    ~ShownWindow();
    ShownWindow(const ShownWindow&) = delete;
    ShownWindow& operator=(const ShownWindow&) = delete;

    HWND Handle() const;
    // 0x00RRGGBB, the top row first.
    std::vector<std::uint32_t> Pixels() const;
    // Something else has drawn over this rectangle (a window that covered it and went away); returns
    // once the window has been asked to repaint it, and has.
    void Damage(int x, int y, int width, int height);

private:
    struct State;
    std::unique_ptr<State> state_;
};
