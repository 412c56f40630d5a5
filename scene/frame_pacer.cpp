#include "scene/frame_pacer.h"

#include <cmath>

namespace {

// Less than this left to wait is not worth a timer.
constexpr double WaitTolerance = 0.0005;

// A refresh rate a little over a multiple of the small windows' rate (60.02 Hz) still draws on
// every second refresh rather than every third.
constexpr double RefreshRateTolerance = 0.01;

double KnownRefreshRate(double refreshHz) {
    return refreshHz >= 20.0 && refreshHz <= 1000.0 ? refreshHz : UnknownRefreshRate;
}

int RefreshesPerFrame(double refreshHz, bool smallWindow) {
    if (!smallWindow) return 1;
    const double refreshes = std::ceil(refreshHz / SmallWindowFrameRate - RefreshRateTolerance);
    return refreshes > 1 ? static_cast<int>(refreshes) : 1;
}

}  // namespace

FramePacer::FramePacer(double refreshHz, bool smallWindow)
    : period_(1.0 / KnownRefreshRate(refreshHz)),
      interval_(period_ * RefreshesPerFrame(KnownRefreshRate(refreshHz), smallWindow)) {}

double FramePacer::RemainingWait(double now) const {
    if (!started_) return 0;
    const double remaining = lastFrame_ + interval_ - now;
    return remaining > WaitTolerance ? remaining : 0;
}

D3DVALUE FramePacer::FrameStarted(double now) {
    const double elapsed = started_ ? now - lastFrame_ : interval_;
    started_ = true;
    lastFrame_ = now;
    const double units = elapsed * UnitsPerSecond;
    if (units <= 0) return 0.0f;
    return units < MaxUnitsPerFrame ? static_cast<D3DVALUE>(units) : MaxUnitsPerFrame;
}
