#include "interaction/mouse_handlers.h"

#include "interaction/drag_steps.h"
#include "interaction/selection.h"

DragState dragState{};

namespace {

// Client coordinates are signed 16-bit values: negative while the captured mouse is left or above.
int32_t PointX(LPARAM position) { return static_cast<int16_t>(LOWORD(position)); }
int32_t PointY(LPARAM position) { return static_cast<int16_t>(HIWORD(position)); }

void RestoreCursor() {
    if (dragState.savedCursor != nullptr) SetCursor(dragState.savedCursor);
}

}  // namespace

void OnButtonDown(const MouseView& view, LPARAM position, bool leftButton) {
    dragState.lastX = PointX(position);
    dragState.lastY = PointY(position);
    if (view.viewport != nullptr && view.detailMesh != nullptr)
        PickAndSelect(view.viewport, dragState.lastX, dragState.lastY, view.window, *view.detailMesh);
    else
        ClearSelection();
    (leftButton ? dragState.rotating : dragState.moving) = TRUE;
    SetCapture(view.window);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    dragState.savedCursor = arrow != nullptr ? SetCursor(arrow) : nullptr;
}

void OnButtonUp(bool leftButton) {
    if (leftButton) {
        ReleaseCapture();
        dragState.rotating = FALSE;
    } else {
        dragState.moving = FALSE;
        ReleaseCapture();
    }
    RestoreCursor();
}

void OnMouseMove(const MouseView& view, IDirect3DRMFrame* selected, WPARAM keys, LPARAM position) {
    const bool rotate = (keys & MK_LBUTTON) != 0 && selected != nullptr && dragState.rotating;
    const bool move = !rotate && (keys & MK_RBUTTON) != 0 && selected != nullptr && dragState.moving;
    if (!rotate && !move) return;
    const int32_t x = PointX(position);
    const int32_t y = PointY(position);
    const int dx = x - dragState.lastX;
    const int dy = y - dragState.lastY;
    dragState.lastX = x;
    dragState.lastY = y;
    if (rotate) {
        if (view.camera != nullptr) RotateStep(selected, view.camera, dx, dy);
    } else if (view.scene != nullptr && view.viewport != nullptr) {
        MoveStep(selected, view.scene, view.viewport, dx, dy);
    }
}
