#include <gtest/gtest.h>

#include "desktop/display_modes.h"
#include "desktop/setup_dialog_template.h"

namespace {

using Modes = std::vector<DisplayMode>;

TEST(DisplayModes, OnlyLandscapeModesUpTo2047AndRatio18AreOfferedEachSizeOnce) {
  const Modes reported = {{640, 480},   {1920, 1200}, {1280, 720},  {2560, 1600}, {2560, 1080},
                          {1280, 1024}, {1280, 720},  {768, 1024},  {1920, 1200}, {2048, 1152},
                          {2047, 1152}, {1800, 1000}, {1801, 1000}, {1024, 1024}, {0, 0}};
  EXPECT_EQ(
      FilterDisplayModes(reported),
      (Modes{{640, 480}, {1920, 1200}, {1280, 720}, {1280, 1024}, {2047, 1152}, {1800, 1000}, {1024, 1024}}));
}

TEST(DisplayModes, TheDesktopStandsInWhenNoModeIsOffered) {
  EXPECT_EQ(ModesForDialog({}, {2560, 1600}), (Modes{{2560, 1600}}));
  EXPECT_EQ(ModesForDialog({{800, 600}}, {2560, 1600}), (Modes{{800, 600}}));
}

TEST(DisplayModes, LabelsNameTheAspectRatio) {
  EXPECT_EQ(DisplayModeLabel({1920, 1200}), " 1920 x 1200  (16:10)");
  EXPECT_EQ(DisplayModeLabel({1280, 720}), " 1280 x 720  (16:9)");
  EXPECT_EQ(DisplayModeLabel({1366, 768}), " 1366 x 768  (16:9)");
  EXPECT_EQ(DisplayModeLabel({1280, 1024}), " 1280 x 1024  (4:3)");
  EXPECT_EQ(DisplayModeLabel({1024, 768}), " 1024 x 768  (4:3)");
  EXPECT_EQ(DisplayModeLabel({1440, 900}), " 1440 x 900  (16:10)");
}

TEST(DisplayModes, DefaultIs1280x720Then1024x768ThenTheFirst) {
  EXPECT_EQ(DefaultModeIndex({{800, 600}, {1024, 768}, {1280, 720}}), 2u);
  EXPECT_EQ(DefaultModeIndex({{800, 600}, {1024, 768}}), 1u);
  EXPECT_EQ(DefaultModeIndex({{800, 600}, {1600, 900}}), 0u);
  EXPECT_EQ(DefaultModeIndex({}), 0u);
}

TEST(DisplayModes, RunCommandSizesWindowAndPicture) {
  SetupOptions setup;
  ApplyRunCommand(setup, {.music = false, .windowed = true, .forceWide = false}, {1024, 768});
  EXPECT_FALSE(setup.musicOn);
  EXPECT_FALSE(setup.fullscreen);
  EXPECT_FALSE(setup.forceWide);
  EXPECT_EQ(setup.windowWidth, 1024);
  EXPECT_EQ(setup.windowHeight, 768);
  EXPECT_EQ(setup.renderHeight, 768);

  ApplyRunCommand(setup, {.music = true, .windowed = true, .forceWide = true}, {1024, 768});
  EXPECT_TRUE(setup.musicOn);
  EXPECT_EQ(setup.windowHeight, 576);  // a 16:9 window
  EXPECT_EQ(setup.renderWidth, 1024);
  EXPECT_EQ(setup.renderHeight, 576);

  ApplyRunCommand(setup, {.music = true, .windowed = false, .forceWide = true}, {1024, 768});
  EXPECT_TRUE(setup.fullscreen);
  EXPECT_EQ(setup.windowHeight, 768);  // the display keeps its mode; the picture is 16:9
  EXPECT_EQ(setup.renderHeight, 576);

  ApplyRunCommand(setup, {.music = true, .windowed = false, .forceWide = true}, {1366, 768});
  EXPECT_EQ(setup.renderHeight, 768);  // 1366 * 0.5625 = 768.375
}

TEST(SetupDialogTemplate, DialogUnitsScaleWithTheFontsBaseUnits) {
  // A 52-letter alphabet 364 px wide: (364 / 26 + 1) / 2 = 7 px; lines 15 px high.
  const DialogBaseUnits base = BaseUnitsOfFont(364, 15);
  EXPECT_EQ(base.x, 7);
  EXPECT_EQ(base.y, 15);
  const DialogUnitRect dialog = DialogUnitsToPixels(kSetupDialogTemplate.rect, base);
  EXPECT_EQ(dialog.width, 313);   // 179 * 7 / 4 = 313.25
  EXPECT_EQ(dialog.height, 195);  // 104 * 15 / 8
  const DialogUnitRect run = DialogUnitsToPixels(kSetupDialogTemplate.controls[0].rect, base);
  EXPECT_EQ(run.x, 30);   // 17 * 7 / 4 = 29.75
  EXPECT_EQ(run.y, 144);  // 77 * 15 / 8 = 144.375
  EXPECT_EQ(run.width, 191);
  EXPECT_EQ(run.height, 39);
}

}  // namespace

TEST(DisplayModes, ASizeAskedForIsSelectedAndAddedWhenNotAMode) {
  std::vector<DisplayMode> modes = {{1024, 768}, {1280, 720}};
  EXPECT_EQ(SelectMode(modes, {1280, 720}), 1u);
  EXPECT_EQ(modes.size(), 2u);
  EXPECT_EQ(SelectMode(modes, {3840, 2160}), 2u);
  EXPECT_EQ(modes.back(), (DisplayMode{3840, 2160}));
}
