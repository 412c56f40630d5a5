#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x11/hack_options.h"

namespace {

ParsedOptions Parse(std::vector<std::string> arguments) { return ParseHackOptions(arguments); }

TEST(HackOptions, WithoutArgumentsTheSaversDefaultsInAWindowOfItsOwn) {
    const ParsedOptions parsed = Parse({});
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.options.target, DrawTarget::OwnWindow);
    const SaverSettings settings = SettingsForOptions(parsed.options, 4);
    const SaverSettings defaults = DefaultSaverSettings();
    EXPECT_EQ(settings.shadeMode, defaults.shadeMode);
    EXPECT_EQ(settings.fillMode, defaults.fillMode);
    EXPECT_EQ(settings.colorModel, defaults.colorModel);
    EXPECT_EQ(settings.dithered, defaults.dithered);
    EXPECT_EQ(settings.textureFiltering, defaults.textureFiltering);
    EXPECT_EQ(settings.switchModels, 1);
    EXPECT_EQ(settings.switchDelay, defaults.switchDelay);
    EXPECT_EQ(settings.randomModels, 1);
    EXPECT_EQ(settings.modelIndex, 4);  // a random start
    EXPECT_EQ(settings.cameraZ, defaults.cameraZ);
}

TEST(HackOptions, EveryOptionTakesOneOrTwoDashesAndItsValueAfterASpaceOrAnEqualsSign) {
    const ParsedOptions parsed = Parse({"-root", "--model", "7", "-switch=0", "--shade", "phong", "--fill=wireframe",
                                        "-color", "mono", "--no-dither", "--filter", "linear", "--background",
                                        "#1A2b3C", "--delay", "25000", "-fps", "--models", "/tmp/cars"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const HackOptions& options = parsed.options;
    EXPECT_EQ(options.target, DrawTarget::Root);
    EXPECT_EQ(options.delayMicroseconds, 25000);
    EXPECT_TRUE(options.fps);
    EXPECT_EQ(options.modelsFolder, "/tmp/cars");
    const SaverSettings settings = SettingsForOptions(options, 0);
    EXPECT_EQ(settings.modelIndex, 6);
    EXPECT_EQ(settings.randomModels, 0);
    EXPECT_EQ(settings.switchModels, 0);
    EXPECT_EQ(settings.shadeMode, PhongShading);
    EXPECT_EQ(settings.fillMode, WireframeFill);
    EXPECT_EQ(settings.colorModel, MonoColors);
    EXPECT_EQ(settings.dithered, 0);
    EXPECT_EQ(settings.textureFiltering, 1);
    EXPECT_EQ(settings.backgroundRed, 0x1A);
    EXPECT_EQ(settings.backgroundGreen, 0x2B);
    EXPECT_EQ(settings.backgroundBlue, 0x3C);

    const ParsedOptions other = Parse({"--window-id", "0x2a00007", "--model", "random", "--switch", "12", "--dither",
                                       "--shade", "flat", "--fill", "points", "--color", "rgb", "--filter", "nearest"});
    ASSERT_TRUE(other.ok) << other.error;
    EXPECT_EQ(other.options.target, DrawTarget::GivenWindow);
    EXPECT_EQ(other.options.windowId, 0x2a00007ul);
    const SaverSettings second = SettingsForOptions(other.options, 2);
    EXPECT_EQ(second.randomModels, 1);
    EXPECT_EQ(second.switchModels, 1);
    EXPECT_EQ(second.switchDelay, 12);
    EXPECT_EQ(second.dithered, 1);
    EXPECT_EQ(second.shadeMode, FlatShading);
    EXPECT_EQ(second.fillMode, PointsFill);
    EXPECT_EQ(second.colorModel, RgbColors);
    EXPECT_EQ(second.textureFiltering, 0);

    EXPECT_EQ(Parse({"--window-id", "44040199"}).options.windowId, 44040199ul);
    EXPECT_EQ(Parse({"--root", "--window"}).options.target, DrawTarget::OwnWindow);  // the last one counts
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_TRUE(Parse({"-version"}).options.version);
    EXPECT_TRUE(Parse({"--add-to-xscreensaver"}).options.addToXScreenSaver);
    // The settings page's colour field left empty means the default.
    const ParsedOptions emptyColor = Parse({"--background", "#102030", "--background", ""});
    ASSERT_TRUE(emptyColor.ok);
    EXPECT_EQ(emptyColor.options.backgroundRed + emptyColor.options.backgroundGreen + emptyColor.options.backgroundBlue,
              0);
}

TEST(HackOptions, AnOwnCarChosenIsShownInsteadOfARandomOneWithTheModelGivenStandingIn) {
    const ParsedOptions mine = Parse({"--car", "My Car.glb", "--cars=/srv/mine"});
    ASSERT_TRUE(mine.ok) << mine.error;
    EXPECT_EQ(mine.options.carsFolder, "/srv/mine");
    SaverSettings settings = SettingsForOptions(mine.options, 5);
    EXPECT_STREQ(settings.ownCar, "My Car.glb");
    EXPECT_EQ(settings.randomModels, 0);
    EXPECT_EQ(settings.modelIndex, 0);
    settings = SettingsForOptions(Parse({"--car", "a.x", "--model", "4"}).options, 5);
    EXPECT_EQ(settings.modelIndex, 3);
    // The settings page's field left empty: no own car, a random one as usual.
    settings = SettingsForOptions(Parse({"--car", ""}).options, 5);
    EXPECT_STREQ(settings.ownCar, "");
    EXPECT_EQ(settings.randomModels, 1);
    EXPECT_EQ(settings.modelIndex, 5);
}

TEST(HackOptions, BadValuesNameTheOptionAndWhatItTakes) {
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--model", "0"}, "--model takes a model from 1 to 9 or \"random\", not \"0\""},
        {{"--model", "10"}, "--model takes a model from 1 to 9"},
        {{"--model", "two"}, "--model takes"},
        {{"--switch", "-1"}, "--switch takes seconds from 0 (never) to 3600"},
        {{"--switch", "3601"}, "--switch takes"},
        {{"--switch", "1.5"}, "--switch takes"},
        {{"--shade", "smooth"}, "--shade takes flat, gouraud or phong, not \"smooth\""},
        {{"--fill", "SOLID"}, "--fill takes points, wireframe or solid"},
        {{"--color", "grey"}, "--color takes rgb or mono"},
        {{"--filter", "cubic"}, "--filter takes nearest or linear"},
        {{"--background", "red"}, "--background takes a colour as #RRGGBB"},
        {{"--background", "#12345"}, "--background takes"},
        {{"--background", "#12345G"}, "--background takes"},
        {{"--delay", "99999999999"}, "--delay takes microseconds from 0 to 10000000"},
        {{"--window-id", "0"}, "--window-id takes a window id"},
        {{"--window-id", "0x"}, "--window-id takes"},
        {{"--window-id", "-5"}, "--window-id takes"},
        {{"--window-id", "0x100000000"}, "--window-id takes"},
        {{"--models", ""}, "--models takes a folder"},
        {{"--cars", ""}, "--cars takes a folder"},
        {{"--car", "../x.glb"}, "--car takes the file name of one of your cars"},
        {{"--model"}, "--model needs a value"},
        {{"--speed", "3"}, "unknown option \"--speed\""},
        {{"--fps=1"}, "unknown option \"--fps=1\""},
        {{"model", "3"}, "unexpected argument \"model\""},
        {{"-"}, "unexpected argument \"-\""},
    };
    for (const auto& c : cases) {
        const ParsedOptions parsed = Parse(c.arguments);
        EXPECT_FALSE(parsed.ok) << c.arguments.front();
        EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << parsed.error;
    }
}

TEST(HackOptions, TheUsageListsEveryOptionAndSaysThereIsNoMusic) {
    const std::string usage = HackUsage("varnoka");
    for (const char* option :
         {"--root", "--window", "--window-id", "--model", "--switch", "--shade", "--fill", "--color", "--dither",
          "--no-dither", "--filter", "--background", "--delay", "--fps", "--models", "--help", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_NE(usage.find("no music"), std::string::npos);
}

}  // namespace
