#include "retained/memory_window.h"
#include "scene/saver_picture.h"
#include "shown_window.h"

struct ShownWindow::State {
    varnoka::rm::MemoryWindow window;
};

ShownWindow::ShownWindow(int width, int height) : state_(new State{varnoka::rm::MemoryWindow(width, height)}) {}

ShownWindow::~ShownWindow() = default;

HWND ShownWindow::Handle() const { return state_->window.Handle(); }

std::vector<std::uint32_t> ShownWindow::Pixels() const { return state_->window.Pixels(); }

// What the window system does: the damaged part is left as something else drew it, and the window
// is sent WM_PAINT.
void ShownWindow::Damage(int x, int y, int width, int height) {
    state_->window.Cover({x, y, width, height}, 0xFFFFFFu);
    RepaintPicture(nullptr);
}
