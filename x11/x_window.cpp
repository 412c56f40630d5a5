#include "x11/x_window.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int OwnWindowWidth = 800;
constexpr int OwnWindowHeight = 600;

// X reports a failed request through a handler, not the call: failures are counted here while a
// check is on, and otherwise ignored, since a window that is not ours may go at any time.
int xErrors = 0;

int CountError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// The window the daemon made for us, else the root window.
Window RootTarget(Display* display) {
    if (const char* text = std::getenv("XSCREENSAVER_WINDOW")) {
        char* end = nullptr;
        const unsigned long id = std::strtoul(text, &end, 0);
        if (end != text && *end == '\0' && id != 0) return static_cast<Window>(id);
    }
    return DefaultRootWindow(display);
}

std::string Hex(unsigned long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

}  // namespace

std::unique_ptr<XHackWindow> XHackWindow::Open(const HackOptions& options, std::string& error) {
    std::unique_ptr<XHackWindow> made(new XHackWindow);
    made->display_ = XOpenDisplay(nullptr);
    if (made->display_ == nullptr) {
        error = "cannot open the display \"" + std::string(XDisplayName(nullptr)) + "\"";
        return nullptr;
    }
    Display* display = made->display_;
    XSetErrorHandler(CountError);
    if (options.target == DrawTarget::OwnWindow) {
        const int screen = DefaultScreen(display);
        made->window_ = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, OwnWindowWidth, OwnWindowHeight,
                                            0, BlackPixel(display, screen), BlackPixel(display, screen));
        made->own_ = true;
        XStoreName(display, made->window_, "Varnoka");
        made->deleteWindow_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, made->window_, &made->deleteWindow_, 1);
        XSelectInput(display, made->window_,
                     ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                         Button1MotionMask | Button3MotionMask);
        XMapWindow(display, made->window_);
    } else {
        made->window_ = options.target == DrawTarget::Root ? RootTarget(display) : options.windowId;
        xErrors = 0;
        XSelectInput(display, made->window_, ExposureMask | StructureNotifyMask);
        XSync(display, False);
        if (xErrors != 0) {
            error = "there is no window " + Hex(made->window_);
            return nullptr;
        }
    }
    XWindowAttributes attributes{};
    xErrors = 0;
    if (!XGetWindowAttributes(display, made->window_, &attributes) || xErrors != 0) {
        error = "there is no window " + Hex(made->window_);
        return nullptr;
    }
    Visual* visual = attributes.visual;
    if ((attributes.depth != 24 && attributes.depth != 32) || visual->c_class != TrueColor ||
        visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF) {
        error = "the window's visual (depth " + std::to_string(attributes.depth) +
                ") is not supported: Varnoka draws on 24- and 32-bit true-colour visuals in RGB order";
        return nullptr;
    }
    made->visual_ = visual;
    made->depth_ = attributes.depth;
    made->alpha_ = attributes.depth == 32 ? 0xFF000000ul : 0;
    made->width_ = std::max(attributes.width, 1);
    made->height_ = std::max(attributes.height, 1);
    made->gc_ = XCreateGC(display, made->window_, 0, nullptr);
    made->shmUsable_ = XShmQueryExtension(display);
    return made;
}

XHackWindow::~XHackWindow() {
    if (display_ == nullptr) return;
    DropImage();
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    if (own_ && !gone_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

bool XHackWindow::IsCloseRequest(const XClientMessageEvent& message) const {
    return own_ && message.format == 32 && static_cast<Atom>(message.data.l[0]) == deleteWindow_;
}

void XHackWindow::Resized(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
}

bool XHackWindow::MakeImage(int width, int height) {
    if (shmUsable_) {
        image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &shm_,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (image_ != nullptr) {
            shm_.shmid =
                shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
            void* address = shm_.shmid >= 0 ? shmat(shm_.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
            if (address != reinterpret_cast<void*>(-1)) {
                shm_.shmaddr = image_->data = static_cast<char*>(address);
                shm_.readOnly = False;
                xErrors = 0;
                const bool attached = XShmAttach(display_, &shm_);
                XSync(display_, False);
                // Marked for removal now: it goes when both sides have let go, even if we are killed.
                shmctl(shm_.shmid, IPC_RMID, nullptr);
                if (attached && xErrors == 0) return true;
                shmdt(shm_.shmaddr);
            } else if (shm_.shmid >= 0) {
                shmctl(shm_.shmid, IPC_RMID, nullptr);
            }
            shm_ = {};
            image_->data = nullptr;
            XDestroyImage(image_);
            image_ = nullptr;
        }
        // A server on another machine cannot share memory with us: plain images from here on.
        shmUsable_ = false;
    }
    image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                          static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (image_ == nullptr) return false;
    image_->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(image_->bytes_per_line) * height));
    if (image_->data == nullptr) {
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    return true;
}

void XHackWindow::DropImage() {
    if (image_ == nullptr) return;
    if (shm_.shmaddr != nullptr) {
        XShmDetach(display_, &shm_);
        XSync(display_, False);
        shmdt(shm_.shmaddr);
        shm_ = {};
        image_->data = nullptr;
    }
    XDestroyImage(image_);  // frees plain image data with it
    image_ = nullptr;
}

void XHackWindow::Show(const varnoka::rm::RenderTarget& frame, const varnoka::rm::ShownRects& rects) {
    if (gone_) return;
    const bool newSize = image_ == nullptr || image_->width != frame.width || image_->height != frame.height;
    if (newSize) {
        DropImage();
        if (!MakeImage(frame.width, frame.height)) return;
    }
    const varnoka::rm::ShownRects shown = newSize ? varnoka::rm::ShownRects::Whole(frame.width, frame.height) : rects;
    for (int i = 0; i < shown.count; ++i) {
        const varnoka::rm::PixelRect& rect = shown.rects[i];
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            const std::uint32_t* from = frame.color.data() + static_cast<std::size_t>(y) * frame.width + rect.x;
            auto* to =
                reinterpret_cast<std::uint32_t*>(image_->data + static_cast<std::size_t>(y) * image_->bytes_per_line) +
                rect.x;
            if (alpha_ == 0)
                std::memcpy(to, from, static_cast<std::size_t>(rect.width) * sizeof *from);
            else
                for (int x = 0; x < rect.width; ++x) to[x] = from[x] | static_cast<std::uint32_t>(alpha_);
        }
        if (shm_.shmaddr != nullptr)
            XShmPutImage(display_, window_, gc_, image_, rect.x, rect.y, rect.x, rect.y,
                         static_cast<unsigned>(rect.width), static_cast<unsigned>(rect.height), False);
        else
            XPutImage(display_, window_, gc_, image_, rect.x, rect.y, rect.x, rect.y, static_cast<unsigned>(rect.width),
                      static_cast<unsigned>(rect.height));
    }
    // The server must have read the shared image before the next frame writes it.
    if (shm_.shmaddr != nullptr)
        XSync(display_, False);
    else
        XFlush(display_);
}

void XHackWindow::DrawCornerText(const std::string& text) {
    if (lineHeight_ == 0) {
        // The server's default font, asked for once: the question is a round trip.
        XFontStruct* font = XQueryFont(display_, XGContextFromGC(gc_));
        ascent_ = font != nullptr ? font->ascent : 10;
        lineHeight_ = font != nullptr ? font->ascent + font->descent : 13;
        if (font != nullptr) XFreeFontInfo(nullptr, font, 1);
    }
    const int ascent = ascent_, lineHeight = lineHeight_;
    XSetForeground(display_, gc_, 0xFFFF00ul | alpha_);
    XSetBackground(display_, gc_, alpha_);
    int lines = 1;
    for (char c : text) lines += c == '\n' ? 1 : 0;
    int y = height_ - 6 - lineHeight * lines + ascent;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        const std::string::size_type end = std::min(text.find('\n', start), text.size());
        XDrawImageString(display_, window_, gc_, 6, y, text.data() + start, static_cast<int>(end - start));
        y += lineHeight;
        start = end + 1;
    }
    XFlush(display_);
}
