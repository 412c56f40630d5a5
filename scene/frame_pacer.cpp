#include "scene/frame_pacer.h"

namespace {

// Less than this left to wait is not worth a timer.
constexpr double WaitTolerance = 0.0005;

}  // namespace

FramePacer::FramePacer(double refreshHz)
    : period_(1.0 / (refreshHz >= 20.0 && refreshHz <= 1000.0 ? refreshHz : UnknownRefreshRate)) {}

double FramePacer::RemainingWait(double now) const {
    if (!started_) return 0;
    const double remaining = lastFrame_ + period_ - now;
    return remaining > WaitTolerance ? remaining : 0;
}

D3DVALUE FramePacer::FrameStarted(double now) {
    const double elapsed = started_ ? now - lastFrame_ : period_;
    started_ = true;
    lastFrame_ = now;
    const double units = elapsed * UnitsPerSecond;
    if (units <= 0) return 0.0f;
    return units < MaxUnitsPerFrame ? static_cast<D3DVALUE>(units) : MaxUnitsPerFrame;
}
