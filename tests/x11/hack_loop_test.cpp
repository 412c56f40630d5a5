#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "retained/memory_window.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/saver_picture.h"
#include "settings/model_files.h"
#include "settings/saver_settings.h"
#include "x11/hack_loop.h"

namespace {

namespace fs = std::filesystem;

// A clock that jumps to each deadline, with events at times of the test's choosing.
class FakeHost final : public HackHost {
public:
    double now = 1000.0;
    double stopAt = 1002.0;
    std::vector<std::pair<double, HostEvents>> scheduled;  // in time order
    int waits = 0;
    std::vector<double> frameTimes;

    double Seconds() override { return now; }
    uint32_t Ticks() override { return static_cast<uint32_t>(now * 1000.0); }
    HostEvents Wait(double deadline) override {
        ++waits;
        const double until = std::max(deadline, now);
        if (!scheduled.empty() && scheduled.front().first <= until && scheduled.front().first <= stopAt) {
            now = std::max(now, scheduled.front().first);
            const HostEvents events = scheduled.front().second;
            scheduled.erase(scheduled.begin());
            return events;
        }
        if (until >= stopAt) {
            now = stopAt;
            HostEvents stop;
            stop.stop = true;
            return stop;
        }
        now = until;
        return {};
    }
    void FrameShown() override { frameTimes.push_back(now); }
};

class HackLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        saverSettings = DefaultSaverSettings();
        saverSettings.randomModels = 0;
        saverSettings.switchModels = 0;
        PlaceModelsFrom({VARNOKA_MODELS_DIR});
    }
    void TearDown() override {
        ClosePicture();
        if (!folder_.empty()) fs::remove_all(folder_);
    }

    bool Open(int width, int height) {
        window = std::make_unique<varnoka::rm::MemoryWindow>(width, height);
        return OpenHackPicture(window->Handle());
    }

    int Run(int64_t delayMicroseconds = 0) {
        LoopSettings settings;
        settings.delayMicroseconds = delayMicroseconds;
        return RunHackLoop(host, window->Handle(), settings);
    }

    // A copy of our models in a folder of the test's own, with the files named made unreadable.
    void PlaceModelsWithDamaged(std::initializer_list<int> damaged) {
        folder_ = fs::temp_directory_path() / ("varnoka-hack-loop-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        for (const auto& entry : fs::directory_iterator(VARNOKA_MODELS_DIR))
            if (entry.path().extension() == ".x" || entry.path().extension() == ".bmp")
                fs::copy_file(entry.path(), folder_ / entry.path().filename());
        for (int index : damaged) Damage(index);
        PlaceModelsFrom({folder_.string()});
    }
    void Damage(int index) { std::ofstream(folder_ / ModelFiles[index].fileName) << "xof 0303txt 0032\nMesh {"; }

    FakeHost host;
    std::unique_ptr<varnoka::rm::MemoryWindow> window;

private:
    fs::path folder_;
};

TEST_F(HackLoopTest, FramesFollowTheRefreshWithoutWaitingInALoop) {
    ASSERT_TRUE(Open(320, 240));
    EXPECT_EQ(Run(), 0);
    // Two seconds at 60 Hz, and at most one wait more than there are frames besides the last.
    const int frames = static_cast<int>(host.frameTimes.size());
    EXPECT_GE(frames, 118);
    EXPECT_LE(frames, 121);
    EXPECT_LE(host.waits, frames + 2);
    EXPECT_EQ(window->FramesShown(), frames);
    for (std::size_t i = 1; i < host.frameTimes.size(); ++i)
        EXPECT_GE(host.frameTimes[i] - host.frameTimes[i - 1], 1.0 / 60.0 - 1e-9);
}

TEST_F(HackLoopTest, ADelayPausesAfterEveryFrameAndASmallWindowDrawsAtThirtyFramesASecond) {
    ASSERT_TRUE(Open(320, 240));
    EXPECT_EQ(Run(100000), 0);
    EXPECT_GE(host.frameTimes.size(), 19u);
    EXPECT_LE(host.frameTimes.size(), 21u);
    ClosePicture();

    host = FakeHost();
    ASSERT_TRUE(Open(200, 150));
    EXPECT_EQ(Run(), 0);
    EXPECT_GE(host.frameTimes.size(), 59u);
    EXPECT_LE(host.frameTimes.size(), 61u);
}

TEST_F(HackLoopTest, AResizedWindowGetsADeviceOfItsSizeAndAnExposedOneItsPictureAgain) {
    ASSERT_TRUE(Open(320, 240));
    HostEvents resized;
    resized.resized = true;
    resized.width = 640;
    resized.height = 360;
    HostEvents exposed;
    exposed.exposed = true;
    host.scheduled = {{1000.5, resized}, {1001.0, exposed}};
    host.stopAt = 1001.5;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(window->Width(), 640);
    EXPECT_EQ(window->Height(), 360);
    EXPECT_EQ(static_cast<int>(viewerContext->device2->GetWidth()), 640);
    EXPECT_EQ(static_cast<int>(viewerContext->device2->GetHeight()), 360);
    // The exposure was painted at once, besides the frames.
    EXPECT_EQ(window->FramesShown(), static_cast<int>(host.frameTimes.size()) + 1);
}

TEST_F(HackLoopTest, ACarThatCannotBeReadIsPassedOverForTheNextAndRandomSwitchesPassItOver) {
    PlaceModelsWithDamaged({0});
    saverSettings.modelIndex = 0;
    ASSERT_TRUE(Open(160, 120));
    EXPECT_EQ(saverSettings.modelIndex, 1);
    EXPECT_TRUE(ModelUnreadable(0));
    EXPECT_EQ(ReadableModelCount(), ModelCount - 1);

    // With all but two marked, switching every second at random for six seconds can only go
    // back and forth between those two.
    for (int32_t index = 0; index < 7; ++index) SetModelUnreadable(index);
    saverSettings.randomModels = 1;
    saverSettings.switchModels = 1;
    saverSettings.switchDelay = 1;
    host.stopAt = host.now + 6;
    EXPECT_EQ(Run(), 0);
    EXPECT_GE(saverSettings.modelIndex, 7);
    EXPECT_GT(window->FramesShown(), 170);  // six seconds at 30 frames a second: the window is small
}

TEST_F(HackLoopTest, WithNoCarLeftToReadTheLoopEndsWithOne) {
    PlaceModelsWithDamaged({0, 1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_FALSE(Open(160, 120));
    ClosePicture();

    // The same when the last readable car goes bad while the saver runs: its next load fails.
    PlaceModelsWithDamaged({1, 2, 3, 4, 5, 6, 7, 8});
    saverSettings.modelIndex = 0;
    ASSERT_TRUE(Open(160, 120));
    Damage(0);
    saverSettings.switchModels = 1;
    saverSettings.switchDelay = 1;
    host.stopAt = host.now + 10;
    EXPECT_EQ(Run(), 1);
    EXPECT_LT(host.now, host.stopAt);
}

}  // namespace
