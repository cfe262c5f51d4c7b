#include "assets/asset_setup.h"

#include "assets/logo_trace.h"
#include "assets/outline_shapes.h"
#include "assets/textures.h"
#include "render/gl_api.h"

namespace {

constexpr int kLogoSize = 128;
constexpr int kBlankSize = 128;
constexpr const char* kLogoFile = "textures//oskelr.jpg";

void ClampToEdge() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void NearestFilters() {
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, float(GL_NEAREST));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, float(GL_NEAREST));
}

bool ReadShapes(MessageSink& messages) {
  int glyphs = 0;
  return ReadGlyphLists("textures//f.txt", glyphs, 0, 1.0, messages) &&
         ReadGlyphLists("textures//f2.txt", glyphs, 9, 1.0, messages) &&
         ReadGlyphLists("textures//f3.txt", glyphs, 99, 1.0, messages) &&
         ReadGlyphLists("textures//f4.txt", glyphs, 199, 1.0, messages) &&
         ReadPolygonLists("textures//f3.txt", glyphs, 1000, 1.0, messages);
}

// The logo must be 128 x 128: the tracing walks a buffer of exactly that size.
bool TraceLogoFile(std::vector<Curve>& logoCurves, MessageSink& messages) {
  int width = 0, height = 0;
  auto rgb = LoadJpegRgb(messages, kLogoFile, width, height);
  if (!rgb) return false;
  if (width != kLogoSize || height != kLogoSize) {
    messages.Show({kLogoFile, "Jpg !", MessageIcon::Information});
    return false;
  }
  TraceLogo(rgb->data(), width, height, logoCurves);
  return true;
}

struct TextureFile {
  int slot;
  const char* path;
  const char* alphaPath = nullptr;  // set for colour-and-alpha pairs
};

bool LoadTextures(TextureBank& bank, MessageSink& messages, std::initializer_list<TextureFile> files) {
  for (const TextureFile& file : files) {
    const bool loaded = file.alphaPath ? LoadTexturePair(bank, messages, file.path, file.alphaPath, file.slot)
                                       : LoadTexture(bank, messages, file.path, file.slot);
    if (!loaded) return false;
  }
  return true;
}

}  // namespace

bool SetupAssets(ShowCurves& curves, DemoState& state, MessageSink& messages) {
  TextureBank& bank = state.textures;
  if (!ReadShapes(messages) || !TraceLogoFile(curves.logoCurves, messages)) return false;

  CreateBlankTexture(bank, 2, kBlankSize);
  CreateBlankTexture(bank, 3, kBlankSize);
  ClampToEdge();  // slot 3
  if (!LoadTextures(bank, messages, {{10, "textures/blob41b.jpg"}})) return false;
  ClampToEdge();  // slot 10
  if (!LoadTextures(bank, messages,
                    {{11, "textures/gradient13.jpg"},
                     {12, "textures/paper.jpg"},
                     {13, "textures/silent.jpg"},
                     {300, "textures/gaitis.jpg", "textures/gaitisa.jpg"},
                     {400, "textures/bl.jpg", "textures/bla.jpg"},
                     {500, "textures/theman.jpg"},
                     {21, "textures/butterfly.jpg"},
                     {22, "textures/leaf.jpg"},
                     {23, "textures/butt.jpg"}})) {
    return false;
  }
  NearestFilters();  // slot 23
  return LoadTextures(bank, messages,
                      {{24, "textures/pattern.jpg"},
                       {224, "textures/patternr.jpg"},
                       {25, "textures/pattern4.jpg"},
                       {30, "textures/pattern5.jpg"},
                       {31, "textures/pattern6.jpg"},
                       {32, "textures/pattern3.jpg"},
                       {50, "textures/walker.jpg"},
                       {51, "textures/floor.jpg"},
                       {60, "textures/zep1.jpg", "textures/zepa.jpg"},
                       {100, "textures/psalidi1.jpg", "textures/psalidi1a.jpg"},
                       {101, "textures/psalidi2.jpg", "textures/psalidi2a.jpg"}});
}
