// The display mode as its users start it, on a virtual display: into a window of another
// program (a settings program's preview), followed through a resize and ended by the window's
// destruction or by a signal.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr unsigned long Background = 0x204060;   // given to the program
constexpr unsigned long WindowColor = 0x000000;  // the window's own, before the program draws

// Waits for a condition with a generous deadline, checking it every 50 ms.
bool WaitFor(const std::function<bool()>& condition, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

class HackProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "needs a display (scripts/test runs this inside xvfb-run)";
        window_ =
            XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 400, 300, 0, WindowColor, WindowColor);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (window_ != 0) XDestroyWindow(display_, window_);
        if (display_ != nullptr) XCloseDisplay(display_);
    }

    void Start(std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments = {
            VARNOKA_HACK, "--window-id", std::to_string(window_), "--background", "#204060", "--model", "1"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        Spawn(arguments);
    }

    // Starts the program; its standard error goes to `errorFile` when one is named.
    void Spawn(std::vector<std::string> arguments, const std::string& errorFile = "") {
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!errorFile.empty())
            posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_EQ(posix_spawn(&pid_, VARNOKA_HACK, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
    }

    // The exit status once the program ended within the time, else -1.
    int ExitWithin(double seconds) {
        int status = 0;
        const bool ended = WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, seconds);
        if (!ended) return -1;
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    // Pixels of the window's rectangle that have the colour, and the share of those that do not.
    struct Counts {
        int of = 0;
        int notOf = 0;
    };
    Counts Count(int x, int y, int width, int height, unsigned long color) {
        Counts counts;
        XImage* image = XGetImage(display_, window_, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                  AllPlanes, ZPixmap);
        if (image == nullptr) return counts;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                ((XGetPixel(image, column, row) & 0xFFFFFF) == color ? counts.of : counts.notOf) += 1;
        XDestroyImage(image);
        return counts;
    }
    // The car: more than 3 % of the window's pixels differ from the background.
    bool CarShows(int width, int height) {
        const Counts counts = Count(0, 0, width, height, Background);
        return counts.of > 0 && counts.notOf * 100 > (counts.of + counts.notOf) * 3;
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    pid_t pid_ = 0;
};

TEST_F(HackProcessTest, DrawsTheCarInAGivenWindowFollowsItsSizeAndEndsWhenItGoes) {
    Start();
    ASSERT_TRUE(WaitFor([&] { return CarShows(400, 300); }, 30)) << "no car in the window";

    XResizeWindow(display_, window_, 640, 400);
    XSync(display_, False);
    // The part the window gained shows the program's background, not the window's own colour.
    EXPECT_TRUE(WaitFor([&] { return Count(400, 0, 240, 400, Background).notOf == 0; }, 30));
    EXPECT_TRUE(CarShows(640, 400));

    XDestroyWindow(display_, window_);
    XSync(display_, False);
    window_ = 0;
    EXPECT_EQ(ExitWithin(10), 0);
}

TEST_F(HackProcessTest, SigtermEndsItWithinASecond) {
    Start({"--fps"});
    ASSERT_TRUE(WaitFor([&] { return CarShows(400, 300); }, 30)) << "no car in the window";
    kill(pid_, SIGTERM);
    EXPECT_EQ(ExitWithin(1), 0);
}

// The program's own top-level window, by its title; 0 while there is none.
Window OwnWindow(Display* display) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr && std::string(name) == "Varnoka")
            found = children[i];
        if (name != nullptr) XFree(name);
    }
    if (children != nullptr) XFree(children);
    return found;
}

TEST_F(HackProcessTest, AWindowOfItsOwnEndsWithQOrItsCloseButton) {
    for (const bool closeButton : {false, true}) {
        // Five seconds with a car switched in every second, before q: long enough for the
        // sanitizer build to find what a run leaks or gets wrong, which it reports as a failing exit.
        const auto started = Clock::now();
        Spawn({VARNOKA_HACK, "--window", "--model", "3", "--switch", closeButton ? "0" : "1"});
        Window own = 0;
        ASSERT_TRUE(WaitFor([&] { return (own = OwnWindow(display_)) != 0; }, 30));
        if (!closeButton) {
            const auto drawn = [&] {
                XWindowAttributes attributes{};
                if (!XGetWindowAttributes(display_, own, &attributes)) return false;
                XImage* image = XGetImage(display_, own, 0, 0, static_cast<unsigned>(attributes.width),
                                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
                if (image == nullptr) return false;
                int lit = 0;
                for (int y = 0; y < attributes.height; y += 4)
                    for (int x = 0; x < attributes.width; x += 4) lit += (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
                XDestroyImage(image);
                return lit > 100;
            };
            ASSERT_TRUE(WaitFor(drawn, 30)) << "no car in its own window";
            EXPECT_TRUE(WaitFor([&] { return Clock::now() - started > std::chrono::seconds(5); }, 10));
        }
        XEvent event{};
        if (closeButton) {
            // What a window manager sends for the close button.
            event.xclient.type = ClientMessage;
            event.xclient.window = own;
            event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
            XSendEvent(display_, own, False, NoEventMask, &event);
        } else {
            event.xkey.type = KeyPress;
            event.xkey.window = own;
            event.xkey.root = DefaultRootWindow(display_);
            event.xkey.same_screen = True;
            event.xkey.keycode = XKeysymToKeycode(display_, XStringToKeysym("q"));
            XSendEvent(display_, own, False, KeyPressMask, &event);
        }
        XSync(display_, False);
        EXPECT_EQ(ExitWithin(10), 0) << (closeButton ? "close button" : "q");
        XSync(display_, False);
        EXPECT_EQ(OwnWindow(display_), 0u);
    }
}

// The user's own cars: a glTF car chosen by its file name is drawn; a damaged one chosen is
// reported with its reason and one of ours is drawn instead.
TEST_F(HackProcessTest, AnOwnCarChosenIsDrawnAndADamagedOneReported) {
    const fs::path cars = fs::temp_directory_path() / ("varnoka-hack-cars-" + std::to_string(getpid()));
    fs::create_directories(cars);
    fs::copy_file(VARNOKA_TEST_DATA "/gltf/two_boxes.gltf", cars / "Boxes.gltf", fs::copy_options::overwrite_existing);
    std::ofstream(cars / "Broken.glb", std::ios::binary) << "glTF";
    const std::string errors = (cars / "stderr.txt").string();

    Start({"--cars", cars.string(), "--car", "Boxes.gltf"});
    EXPECT_TRUE(WaitFor([&] { return CarShows(400, 300); }, 30)) << "no car in the window";
    kill(pid_, SIGTERM);
    EXPECT_EQ(ExitWithin(10), 0);

    // The window back to its own colour, so that the car seen next is the next program's.
    XClearWindow(display_, window_);
    XSync(display_, False);
    Spawn({VARNOKA_HACK, "--window-id", std::to_string(window_), "--background", "#204060", "--cars", cars.string(),
           "--car", "Broken.glb"},
          errors);
    EXPECT_TRUE(WaitFor([&] { return CarShows(400, 300); }, 30)) << "one of ours instead";
    kill(pid_, SIGTERM);
    EXPECT_EQ(ExitWithin(10), 0);
    std::stringstream text;
    text << std::ifstream(errors).rdbuf();
    EXPECT_NE(text.str().find("Your car \"Broken\" cannot be shown.\nThe .glb file is cut short."), std::string::npos)
        << text.str();
    fs::remove_all(cars);
}

TEST_F(HackProcessTest, AWindowThatDoesNotExistEndsItWithOne) {
    Spawn({VARNOKA_HACK, "--window-id", std::to_string(window_ + 0x100000)});
    EXPECT_EQ(ExitWithin(10), 1);
}

}  // namespace
