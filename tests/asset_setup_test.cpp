#include <filesystem>

#include "assets/asset_setup.h"
#include "assets/textures.h"
#include "render/gl_api.h"
#include "tests/asset_files.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

namespace fs = std::filesystem;
using namespace test_assets;

// A tiny pack of every file the show loads, in a scratch directory that becomes the working directory.
class AssetSetupTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    previous = fs::current_path();
    directory = fs::temp_directory_path() / ("velmora-pack-" + std::to_string(getpid()));
    WriteTinyPack(directory);
    fs::current_path(directory);
  }
  void TearDown() override {
    if (!previous.empty()) fs::current_path(previous);
    fs::remove_all(directory);
  }
  fs::path Texture(const std::string& name) const { return directory / "textures" / (name + ".jpg"); }

  GLint Parameter(int slot, GLenum name) {
    BindTextureSlot(state.textures, slot);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
  }

  fs::path previous, directory;
  DemoState state;
  ShowCurves curves;
  RecordingMessages messages;
};

TEST_F(AssetSetupTest, EveryTextureAndShapeListIsMadeWithItsParameters) {
  ASSERT_TRUE(SetupAssets(curves, state, messages));
  EXPECT_TRUE(messages.shown.empty());
  for (int slot :
       {2, 3, 10, 11, 12, 13, 21, 22, 23, 24, 25, 30, 31, 32, 50, 51, 60, 100, 101, 224, 300, 400, 500}) {
    EXPECT_NE(state.textures.names[slot], 0u) << slot;
  }
  EXPECT_EQ(state.textures.names[0], 0u);
  EXPECT_EQ(Parameter(3, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(Parameter(10, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(Parameter(11, GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(Parameter(23, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
  EXPECT_EQ(Parameter(24, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  for (GLuint list : {1u, 10u, 100u, 200u, 1000u, 1001u}) EXPECT_TRUE(glIsList(list)) << list;
  EXPECT_EQ(curves.logoCurves.size(), 2u);  // two strokes, each starting at a pure white pixel
}

TEST_F(AssetSetupTest, EachMissingFileIsNamedInItsMessage) {
  std::vector<fs::path> files(fs::directory_iterator(directory / "textures"), {});
  for (const fs::path& file : files) {
    const fs::path aside = directory / file.filename();
    fs::rename(file, aside);
    DemoState fresh;
    ShowCurves curves;
    RecordingMessages said;
    EXPECT_FALSE(SetupAssets(curves, fresh, said)) << file;
    ASSERT_EQ(said.shown.size(), 1u) << file;
    EXPECT_EQ(fs::path(said.shown[0]).filename(), file.filename());
    fs::rename(aside, file);
  }
}

TEST_F(AssetSetupTest, AMissingTextureStopsTheSetupAfterWhatCameBefore) {
  fs::remove(Texture("butterfly"));
  EXPECT_FALSE(SetupAssets(curves, state, messages));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"textures/butterfly.jpg"});
  EXPECT_NE(state.textures.names[500], 0u);  // loaded before it
  EXPECT_EQ(state.textures.names[22], 0u);   // after it: never loaded
}

TEST_F(AssetSetupTest, BrokenFilesAreReportedByName) {
  WriteBytes(Texture("paper"), {0xFF, 0xD8, 0xFF});  // a JPEG cut after its first marker
  EXPECT_FALSE(SetupAssets(curves, state, messages));
  EXPECT_EQ(messages.shown.back(), "textures/paper.jpg");

  WriteJpeg(Texture("oskelr"), Filled(64, 64, 255, 255, 255), 64, 64);  // the wrong size for tracing
  EXPECT_FALSE(SetupAssets(curves, state, messages));
  EXPECT_EQ(messages.shown.back(), "textures//oskelr.jpg");

  WriteBytes(directory / "textures" / "f2.txt", {1, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0});  // five glyphs claimed
  EXPECT_FALSE(SetupAssets(curves, state, messages));
  EXPECT_EQ(messages.shown.back(), "textures//f2.txt");
}

// The pack the build drew: every slot and list, and the logo's designed strokes.
TEST_F(AssetSetupTest, TheShowsOwnPackLoads) {
  fs::current_path(VELMORA_PACK_DIR);
  ASSERT_TRUE(SetupAssets(curves, state, messages)) << (messages.shown.empty() ? "" : messages.shown[0]);
  for (int slot :
       {2, 3, 10, 11, 12, 13, 21, 22, 23, 24, 25, 30, 31, 32, 50, 51, 60, 100, 101, 224, 300, 400, 500}) {
    EXPECT_NE(state.textures.names[slot], 0u) << slot;
  }
  for (GLuint list : {1u, 10u, 100u, 1001u, 1032u}) EXPECT_TRUE(glIsList(list)) << list;
  EXPECT_EQ(Parameter(3, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(Parameter(10, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(Parameter(11, GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(Parameter(23, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
  EXPECT_EQ(curves.logoCurves.size(), 15u);  // the picture is traced turned by 180 degrees
}

// Every file of the show's own pack, cut in half, is refused in one message naming it; with its middle
// third overwritten it loads (a damaged picture) or is refused the same way, never anything else.
TEST_F(AssetSetupTest, EachCutOrDamagedFileOfTheShowsPackIsNamedInOneMessage) {
  fs::copy(fs::path(VELMORA_PACK_DIR) / "textures", directory / "textures",
           fs::copy_options::overwrite_existing | fs::copy_options::recursive);
  std::vector<fs::path> files;
  for (const fs::path& file : fs::directory_iterator(directory / "textures")) {
    if (!file.filename().string().starts_with(".")) files.push_back(file);  // not the build's stamp
  }
  ASSERT_EQ(files.size(), 31u);
  for (const fs::path& file : files) {
    const std::vector<uint8_t> whole = ReadBytes(file);
    std::vector<uint8_t> damaged = whole;
    std::fill(damaged.begin() + long(whole.size() / 3), damaged.begin() + long(2 * whole.size() / 3), 0x5A);
    for (const bool cut : {true, false}) {
      WriteBytes(file,
                 cut ? std::vector<uint8_t>(whole.begin(), whole.begin() + long(whole.size() / 2)) : damaged);
      DemoState fresh;
      ShowCurves traced;
      RecordingMessages said;
      const bool loaded = SetupAssets(traced, fresh, said);
      EXPECT_EQ(loaded, !cut && said.shown.empty()) << file;
      if (!loaded) {
        ASSERT_EQ(said.shown.size(), 1u) << file;
        EXPECT_EQ(fs::path(said.shown[0]).filename(), file.filename());
      }
    }
    WriteBytes(file, whole);
  }
}

}  // namespace
