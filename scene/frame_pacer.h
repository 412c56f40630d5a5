#pragma once
// Frames follow the display: never more than one per refresh, and the scene moves by the time
// that has passed, so that every speed means "per 1/30 s" whatever the frame rate.

#include "retained/d3drm_types.h"

constexpr double UnitsPerSecond = 30.0;
// A pause (a model load, a report box) moves the scene by at most this much in one frame.
constexpr D3DVALUE MaxUnitsPerFrame = 4.0f;
constexpr double UnknownRefreshRate = 60.0;

// A window smaller than this both ways (the preview) draws at most SmallWindowFrameRate frames a
// second: at its size more are hardly seen, and the time is left to the Settings page it sits in.
constexpr int SmallWindowWidth = 320;
constexpr int SmallWindowHeight = 240;
constexpr double SmallWindowFrameRate = 30.0;

constexpr bool IsSmallWindow(int width, int height) { return width < SmallWindowWidth && height < SmallWindowHeight; }

class FramePacer {
public:
    // Refresh rates that are not known (0, 1 or absurd) count as 60 Hz. A small window draws on
    // every n-th refresh only, n the least that keeps it at or under SmallWindowFrameRate.
    explicit FramePacer(double refreshHz, bool smallWindow = false);

    // Of one refresh.
    double Period() const { return period_; }

    // Seconds still to wait at `now` before the next frame may be drawn.
    double RemainingWait(double now) const;

    // A frame is drawn at `now`: the units of time to move the scene for it.
    D3DVALUE FrameStarted(double now);

    // Drawing stood still (the display was off, the preview hidden): the next frame comes at once
    // and moves the scene by one frame, as the first one does, so the picture goes on where it
    // stopped instead of counting the pause as time that passed.
    void Restart() { started_ = false; }

private:
    double period_;
    double interval_;  // between frames: a whole number of refreshes
    double lastFrame_ = 0;
    bool started_ = false;
};
