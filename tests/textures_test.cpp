#include <filesystem>
#include <fstream>

#include "assets/textures.h"
#include "render/gl_api.h"
#include "tests/asset_files.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

namespace fs = std::filesystem;

using namespace test_assets;

class TexturesTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    directory = fs::temp_directory_path() / ("velmora-textures-" + std::to_string(getpid()));
    fs::create_directories(directory);
  }
  void TearDown() override { fs::remove_all(directory); }
  std::string File(const std::string& name) const { return (directory / name).string(); }

  Pixels BoundRgba(int width, int height) {
    Pixels pixels(size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

  fs::path directory;
  TextureBank bank;
  RecordingMessages messages;
};

TEST_F(TexturesTest, NarrowTexturesAreStoredAsTheyAreWiderOnesCompressed) {
  WriteJpeg(File("32.jpg"), Filled(32, 8, 200, 100, 50), 32, 8);
  WriteJpeg(File("33.jpg"), Filled(33, 8, 200, 100, 50), 33, 8);
  ASSERT_TRUE(LoadTexture(bank, messages, File("32.jpg"), 10));
  GLint compressed = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
  EXPECT_EQ(compressed, GL_FALSE);
  ASSERT_TRUE(LoadTexture(bank, messages, File("33.jpg"), 11));
  GLint format = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  EXPECT_NE(format, GL_RGB);
  EXPECT_NE(bank.names[10], 0u);
  EXPECT_NE(bank.names[11], bank.names[10]);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TexturesTest, APairTakesAlphaFromTheGreenOfTheSecondFileAndKeepsItsBottomRowClear) {
  WriteJpeg(File("colour.jpg"), Filled(8, 8, 255, 255, 255), 8, 8);
  WriteJpeg(File("alpha.jpg"), Filled(8, 8, 0, 255, 0), 8, 8);
  ASSERT_TRUE(LoadTexturePair(bank, messages, File("colour.jpg"), File("alpha.jpg"), 12));
  const Pixels rgba = BoundRgba(8, 8);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(rgba[4 * x + 3], 0) << x;  // bottom row: transparent black
    EXPECT_EQ(rgba[4 * x], 0) << x;
    EXPECT_GE(rgba[(8 * 4 + x) * 4 + 3], 250) << x;  // row 4: opaque white
    EXPECT_GE(rgba[(8 * 4 + x) * 4], 250) << x;
  }
  WriteJpeg(File("small.jpg"), Filled(8, 4, 0, 255, 0), 8, 4);
  EXPECT_FALSE(LoadTexturePair(bank, messages, File("colour.jpg"), File("small.jpg"), 13));
  EXPECT_EQ(messages.shown.back(), File("small.jpg"));
}

TEST_F(TexturesTest, SlotsFromTheAbsoluteBaseIgnoreTheOffsetAndUnmadeSlotsBindNothing) {
  bank.offset = 5;
  CreateBlankTexture(bank, 1, 16);
  EXPECT_NE(bank.names[6], 0u);
  CreateBlankTexture(bank, 85000, 16);
  EXPECT_NE(bank.names[85000], 0u);
  GLint bound = -1;
  BindTextureSlot(bank, 85000);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(GLuint(bound), bank.names[85000]);
  BindTextureSlot(bank, 1);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(GLuint(bound), bank.names[6]);
  BindTextureSlot(bank, 2);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  BindTextureSlot(bank, 500000);  // outside the bank
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  BindTextureSlot(bank, 1);
  const Pixels black = BoundRgba(16, 16);
  EXPECT_EQ(std::count(black.begin(), black.end(), 0), 16 * 16 * 3);  // rgb zero, alpha one
}

TEST_F(TexturesTest, TheRgbBufferIsThePictureTurnedHalfway) {
  Pixels pixels = Filled(16, 16, 0, 0, 255);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pixels[(y * 16 + x) * 3] = 255, pixels[(y * 16 + x) * 3 + 2] = 0;
  }
  WriteJpeg(File("corner.jpg"), pixels, 16, 16);
  int width = 0, height = 0;
  const auto rgb = LoadJpegRgb(messages, File("corner.jpg"), width, height);
  ASSERT_TRUE(rgb.has_value());
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  EXPECT_GE((*rgb)[rgb->size() - 3], 250);  // the top-left red pixel comes last
  EXPECT_LE((*rgb)[rgb->size() - 1], 5);
  EXPECT_LE((*rgb)[0], 5);  // and the bottom-right blue one first
  EXPECT_GE((*rgb)[2], 250);

  WriteJpeg(File("grey.jpg"), Pixels(16 * 16, 90), 16, 16, true);
  const auto grey = LoadJpegRgb(messages, File("grey.jpg"), width, height);
  ASSERT_TRUE(grey.has_value());
  EXPECT_NEAR((*grey)[0], 90, 2);
  EXPECT_EQ((*grey)[0], (*grey)[1]);
}

TEST_F(TexturesTest, UnreadableFilesAreReportedWithTheirPath) {
  EXPECT_FALSE(LoadTexture(bank, messages, File("missing.jpg"), 20));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], File("missing.jpg"));
  EXPECT_EQ(bank.names[20], 0u);

  WriteJpeg(File("whole.jpg"), Filled(64, 64, 10, 200, 30), 64, 64);
  std::ifstream in(File("whole.jpg"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  std::ofstream(File("cut.jpg"), std::ios::binary).write(bytes.data(), long(bytes.size() / 2));
  EXPECT_FALSE(LoadTexture(bank, messages, File("cut.jpg"), 21));
  EXPECT_EQ(messages.shown.back(), File("cut.jpg"));
  EXPECT_EQ(bank.names[21], 0u);
}

}  // namespace
