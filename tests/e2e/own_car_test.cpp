// The user's own cars, as a user adds them: a .glb file dropped into Documents\Varnoka Cars and
// chosen in the settings, shown by the real saver program.

#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/process_runner.h"
#include "e2e/screen_samples.h"
#include "e2e/settings_folder.h"
#include "gltf/gltf_builder.h"

namespace {

using gltf_test::GltfBuilder;

struct Point {
    float x, y, z;
};

// A closed box between two corners, its faces counter-clockwise seen from outside, as glTF
// keeps them; appended to `positions` and `indices`.
void AddBox(Point low, Point high, std::vector<float>& positions, std::vector<std::uint16_t>& indices) {
    const auto base = static_cast<std::uint16_t>(positions.size() / 3);
    for (int corner = 0; corner < 8; ++corner) {
        positions.push_back(corner & 1 ? high.x : low.x);
        positions.push_back(corner & 2 ? high.y : low.y);
        positions.push_back(corner & 4 ? high.z : low.z);
    }
    // Each side's corners in order around it, counter-clockwise from outside.
    const int sides[6][4] = {{1, 3, 7, 5}, {0, 4, 6, 2}, {2, 6, 7, 3}, {0, 1, 5, 4}, {4, 5, 7, 6}, {0, 2, 3, 1}};
    for (const auto& side : sides)
        for (int corner : {side[0], side[1], side[2], side[0], side[2], side[3]})
            indices.push_back(static_cast<std::uint16_t>(base + corner));
}

// A car as a modelling program would give it: in millimetres, facing +z, far from the origin,
// a red body and cabin on four dark wheels.
gltf_test::Bytes UserCar() {
    std::vector<float> body, wheels;
    std::vector<std::uint16_t> bodyIndices, wheelIndices;
    AddBox({-900, 300, -2100}, {900, 1000, 2100}, body, bodyIndices);
    AddBox({-750, 1000, -1300}, {750, 1450, 500}, body, bodyIndices);
    for (float x : {-950.0f, 700.0f})
        for (float z : {-1500.0f, 1300.0f}) AddBox({x, 0, z - 320}, {x + 250, 640, z + 320}, wheels, wheelIndices);
    GltfBuilder car;
    const int red = car.Add("materials",
                            "{\"pbrMetallicRoughness\":{\"baseColorFactor\":[0.8,0.1,0.1,1],\"metallicFactor\":0.3,"
                            "\"roughnessFactor\":0.4}}");
    const int dark = car.Add("materials", "{\"pbrMetallicRoughness\":{\"baseColorFactor\":[0.1,0.1,0.1,1]}}");
    const int bodyMesh = car.Mesh(car.Floats(body, "VEC3"), -1, -1, car.Indices(bodyIndices), red);
    const int wheelMesh = car.Mesh(car.Floats(wheels, "VEC3"), -1, -1, car.Indices(wheelIndices), dark);
    const int bodyNode = car.Node("{\"mesh\":" + std::to_string(bodyMesh) + "}");
    const int wheelNode = car.Node("{\"mesh\":" + std::to_string(wheelMesh) + "}");
    const int root = car.Node("{\"translation\":[15000,-2000,8000],\"children\":[" + std::to_string(bodyNode) + "," +
                              std::to_string(wheelNode) + "]}");
    car.Add("scenes", "{\"nodes\":[" + std::to_string(root) + "]}");
    car.TopLevel("\"scene\":0");
    return car.Glb();
}

// The user's cars folder in their Documents, with a car and a damaged one in it, beside settings
// of the test's own with a green background; removed afterwards.
class OwnCarSetup : public SettingsFolder {
public:
    OwnCarSetup() {
        Set("GREEN=96");
        char documents[MAX_PATH] = {};
        SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
        cars_ = std::string(documents) + "\\Varnoka Cars";
        CreateDirectoryA(cars_.c_str(), nullptr);
        Write("Test Roadster.glb", UserCar());
        gltf_test::Bytes damaged = UserCar();
        damaged.resize(damaged.size() / 2);
        Write("Damaged.glb", damaged);
    }
    ~OwnCarSetup() {
        for (const char* name : {"Test Roadster.glb", "Damaged.glb"}) DeleteFileA((cars_ + "\\" + name).c_str());
        RemoveDirectoryA(cars_.c_str());
    }

private:
    void Write(const std::string& name, const gltf_test::Bytes& bytes) {
        std::ofstream(cars_ + "\\" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::string cars_;
};

constexpr COLORREF Background = RGB(0, 96, 0);

// Where the car stands on the screen, by the saver that the command line starts: its samples'
// bounds once the saver shows its background all around a car. The saver is ended with a key.
SampleBounds CarOnScreen(const std::string& arguments) {
    SaverProcess saver("\"" + SaverProgramPath() + "\" " + arguments);
    HWND window = WaitForSaverWindow();
    if (window == nullptr) return {};
    // A frame on its way to the screen may be caught half shown: the car counts once the background
    // frames it on every side.
    const int rows = static_cast<int>(Snapshot(window).size()) / SampleColumns(window);
    SampleBounds bounds;
    EXPECT_TRUE(PumpUntil([&] {
        bounds = BoundsOfAllBut(window, Background);
        return bounds.found && bounds.Height() > 4 && bounds.left > 0 && bounds.top > 0 &&
               bounds.right < SampleColumns(window) - 1 && bounds.bottom < rows - 1;
    }));
    EXPECT_FALSE(ShowsABox(saver));
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
    return bounds;
}

// The car turns, so what is compared is what turning leaves alone: the turning axis in the middle,
// the car's height and the ground it stands on.
TEST(OwnCar, AGlbDroppedIntoTheFolderAndChosenTurnsOnScreenFittedLikeOurs) {
    OwnCarSetup setup;
    const SampleBounds ours = CarOnScreen("/s");
    setup.Set("OWNCAR=Test Roadster.glb");
    const SampleBounds own = CarOnScreen("/s");
    ASSERT_TRUE(ours.found && own.found);
    // Millimetres 15 m off the axis become a car of our size where ours stand.
    EXPECT_NEAR(own.CentreX(), ours.CentreX(), ours.Height());
    EXPECT_NEAR(own.Height(), ours.Height(), ours.Height() / 3.0);
    EXPECT_NEAR(own.bottom, ours.bottom, ours.Height() / 3.0) << "on the same ground";
}

TEST(OwnCar, ADamagedCarChosenIsReportedOnceAndTheSaverGoesOnWithOneOfOurs) {
    OwnCarSetup setup;
    setup.Set("OWNCAR=Damaged.glb");
    SaverProcess saver("\"" + SaverProgramPath() + "\" /s");
    HWND box = WaitForBox(saver, "Viewer Message");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "Your car \"Damaged\" cannot be shown.\nThe .glb file is cut short.\r\n");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    // Closing the box may have ended the saver, as leaving any window does; else it shows our car.
    HWND window = WaitForSaverWindow();
    if (window != nullptr && saver.WaitForExit(0) == STILL_ACTIVE) {
        EXPECT_TRUE(WaitForCar(window, Background));
        EXPECT_EQ(WaitForBox(saver, "Viewer Message", 500), nullptr) << "once";
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    }
    EXPECT_EQ(saver.WaitForExit(Patience), 0u);
}

}  // namespace
