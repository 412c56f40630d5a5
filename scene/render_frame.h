#pragma once
// One pass of the render thread: the model switch when it is due, and one frame.

#include <cstdint>

#include "scene/frame_pacer.h"
#include "scene/viewer_context.h"

// Moves the scene by `elapsedUnits` (units of 1/30 s), clears, renders and shows it. 1, or 0
// once the failing step has been reported. Draws nothing while the context lacks an object.
int RenderFrame(ViewerContext* context, D3DVALUE elapsedUnits);

// One pass of a render loop, once the pacer's wait is over: the model switch when it is due by
// tickNow, then one frame moved by the time the pacer counts from seconds. D3DRM_OK, or the code
// of a failed switch, after which no frame is drawn (the window keeps what it showed last).
HRESULT RenderPass(ViewerContext* context, FramePacer& pacer, double (*seconds)(), uint32_t (*tickNow)());

// Millisecond tick of the last switch; 0 at start, so the first pass normally switches at once.
extern uint32_t lastSwitchTick;

// Whether the settings ask for a switch at `now`. Differences of ticks are taken unsigned, so
// the wrap of the tick count neither hastens nor delays one.
bool ModelSwitchDue(uint32_t now);

// Replaces the model in modelFrame: another at random (never the current one, nor one marked
// unreadable, while another is left) or the same file again. D3DRM_OK, or the code of the failed
// step, after which the thread stops drawing.
// `tickNow` gives the tick at which the switch ends.
HRESULT SwitchModel(ViewerContext* context, uint32_t (*tickNow)());
