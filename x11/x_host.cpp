#include "x11/x_host.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <cerrno>
#include <cstdio>

#include "interaction/drag_steps.h"
#include "scene/viewer_context.h"

namespace {

// A signal writes a byte here; the loop's wait sees it at once.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (write(signalPipe[1], &byte, 1) < 0) {
        // The pipe is full: a stop is already waiting.
    }
    errno = saved;
}

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

XHackHost::XHackHost(XHackWindow& window, bool showFps) : window_(window), showFps_(showFps) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
    }
    rateStart_ = Seconds();
    rateCpuStart_ = ProcessorSeconds();
}

XHackHost::~XHackHost() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    for (int& end : signalPipe) {
        if (end >= 0) close(end);
        end = -1;
    }
}

double XHackHost::Seconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

uint32_t XHackHost::Ticks() { return static_cast<uint32_t>(static_cast<uint64_t>(Seconds() * 1000.0)); }

HostEvents XHackHost::Wait(double deadline) {
    HostEvents events;
    Display* display = window_.XDisplay();
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            Handle(event, events);
        }
        if (events.stop || events.resized || events.exposed) return events;
        // Polled even when the deadline has passed, as it always has while frames take longer
        // than a refresh: a signal must still be seen.
        const double left = deadline - Seconds();
        pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
        // To the nanosecond: a wait rounded up to whole milliseconds would make every frame late.
        timespec timeout{};
        if (left > 0) {
            timeout.tv_sec = static_cast<time_t>(left);
            timeout.tv_nsec = static_cast<long>((left - static_cast<double>(timeout.tv_sec)) * 1e9);
        }
        if (ppoll(waits, signalPipe[0] >= 0 ? 2 : 1, &timeout, nullptr) < 0 && errno != EINTR) return events;
        // A signal, or the server gone: there is nothing left to draw for.
        if ((signalPipe[0] >= 0 && (waits[1].revents & POLLIN) != 0) || (waits[0].revents & (POLLERR | POLLHUP)) != 0) {
            events.stop = true;
            return events;
        }
        if (left <= 0 && (waits[0].revents & POLLIN) == 0) return events;
    }
}

void XHackHost::Handle(const XEvent& event, HostEvents& events) {
    switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window != window_.XWindow()) break;
            window_.Resized(event.xconfigure.width, event.xconfigure.height);
            events.resized = true;
            events.width = window_.ClientWidth();
            events.height = window_.ClientHeight();
            break;
        case Expose:
            if (event.xexpose.count == 0) events.exposed = true;
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window_.XWindow()) {
                window_.Gone();
                events.stop = true;
            }
            break;
        case ClientMessage:
            if (window_.IsCloseRequest(event.xclient)) events.stop = true;
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(const_cast<XKeyEvent*>(&event.xkey), 0);
            if (key == XK_q || key == XK_Q || key == XK_Escape) events.stop = true;
            break;
        }
        case ButtonPress:
            Press(event.xbutton);
            break;
        case ButtonRelease:
            if (event.xbutton.button == dragButton_) dragButton_ = 0;
            break;
        case MotionNotify:
            Drag(event.xmotion);
            break;
        default:
            break;
    }
}

// A press of the left or the right button on the car starts a drag of it.
void XHackHost::Press(const XButtonEvent& press) {
    if ((press.button != Button1 && press.button != Button3) || viewerContext == nullptr ||
        viewerContext->viewport == nullptr)
        return;
    IDirect3DRMPickedArray* picked = nullptr;
    if (FAILED(viewerContext->viewport->Pick(press.x, press.y, &picked)) || picked == nullptr) return;
    if (picked->GetSize() > 0) {
        dragButton_ = press.button;
        lastX_ = press.x;
        lastY_ = press.y;
    }
    picked->Release();
}

// A left drag turns the car, a right drag moves it across the view, as in the Windows saver.
void XHackHost::Drag(const XMotionEvent& motion) {
    if (dragButton_ == 0 || modelFrame == nullptr || viewerContext == nullptr) return;
    const int dx = motion.x - lastX_, dy = motion.y - lastY_;
    lastX_ = motion.x;
    lastY_ = motion.y;
    if (dragButton_ == Button1 && viewerContext->camera != nullptr)
        RotateStep(modelFrame, viewerContext->camera, dx, dy);
    else if (dragButton_ == Button3 && viewerContext->scene != nullptr && viewerContext->viewport != nullptr)
        MoveStep(modelFrame, viewerContext->scene, viewerContext->viewport, dx, dy);
}

void XHackHost::FrameShown() {
    if (!showFps_) return;
    ++frames_;
    const double now = Seconds();
    if (now - rateStart_ >= 1.0 || rateText_.empty()) {
        const double cpu = ProcessorSeconds();
        const double span = now - rateStart_;
        char text[64];
        std::snprintf(text, sizeof text, "FPS:  %5.1f \nLoad: %5.1f%%", span > 0 ? frames_ / span : 0.0,
                      span > 0 ? 100.0 * (cpu - rateCpuStart_) / span : 0.0);
        rateText_ = text;
        frames_ = 0;
        rateStart_ = now;
        rateCpuStart_ = cpu;
    }
    window_.DrawCornerText(rateText_);
}
