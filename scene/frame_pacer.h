#pragma once
// Frames follow the display: never more than one per refresh, and the scene moves by the time
// that has passed, so that every speed means "per 1/30 s" whatever the frame rate.

#include "retained/d3drm_types.h"

constexpr double UnitsPerSecond = 30.0;
// A pause (a model load, a report box) moves the scene by at most this much in one frame.
constexpr D3DVALUE MaxUnitsPerFrame = 4.0f;
constexpr double UnknownRefreshRate = 60.0;

class FramePacer {
public:
    // Refresh rates that are not known (0, 1 or absurd) count as 60 Hz.
    explicit FramePacer(double refreshHz);

    double Period() const { return period_; }

    // Seconds still to wait at `now` before the next frame may be drawn.
    double RemainingWait(double now) const;

    // A frame is drawn at `now`: the units of time to move the scene for it.
    D3DVALUE FrameStarted(double now);

private:
    double period_;
    double lastFrame_ = 0;
    bool started_ = false;
};
