// velmora-make-assets OUT_DIR: draws the show's textures and shape files into OUT_DIR/textures/, then reads
// the whole pack back through the show's decoder and checks it.
// velmora-make-assets --check OUT_DIR: only the checks, on an existing pack.
//
// Everything is drawn from fixed seeds, so the same build writes the same bytes every time.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tools/assets/jpeg_writer.h"
#include "tools/assets/logo.h"
#include "tools/assets/pack_reader.h"
#include "tools/assets/shapes.h"
#include "tools/assets/textures.h"

namespace {

using namespace assets;
namespace fs = std::filesystem;

struct PackFile {
  const char* name;
  int width, height;
  JpegOptions options;
};

// One drawing and the files it becomes: one picture, or a colour picture and its matte.
struct Picture {
  std::vector<PackFile> files;
  std::function<std::vector<Image>()> draw;
};

constexpr Subsampling k444 = Subsampling::k444, k422 = Subsampling::k422, k440 = Subsampling::k440,
                      k420 = Subsampling::k420;

std::vector<Image> One(Image image) {
  return {std::move(image)};
}
std::vector<Image> Pair(CutOut cut) {
  return {std::move(cut.colour), std::move(cut.alpha)};
}

// Layouts are spread over every sampling the decoder reads, with some progressive files and some carrying
// restart markers. Mattes and the pixel art keep full chroma; the logo is lossless enough for its strokes.
const std::vector<Picture>& Catalogue() {
  static const std::vector<Picture> pictures = {
      {{{"blob41b.jpg", 128, 128, {k444, 92}}}, [] { return One(Blob()); }},
      {{{"gradient13.jpg", 256, 32, {k422, 92}}}, [] { return One(ShadowBand()); }},
      {{{"paper.jpg", 256, 256, {k420, 88, true}}}, [] { return One(PaperGrain()); }},
      {{{"silent.jpg", 256, 256, {k444, 90}}}, [] { return One(Glow()); }},
      {{{"theman.jpg", 128, 256, {k440, 90}}}, [] { return One(ManSilhouette()); }},
      {{{"butt.jpg", 32, 32, {k444, 100}}}, [] { return One(PixelButton()); }},
      {{{"butterfly.jpg", 256, 256, {k420, 88, true}}}, [] { return One(Butterfly()); }},
      {{{"leaf.jpg", 256, 256, {k440, 88, false, 2}}}, [] { return One(Leaf()); }},
      {{{"pattern.jpg", 256, 256, {k420, 90, true}}}, [] { return One(Pattern()); }},
      {{{"patternr.jpg", 256, 256, {k422, 88, false, 2}}}, [] { return One(PatternDark()); }},
      {{{"pattern3.jpg", 256, 256, {k420, 88, true}}}, [] { return One(PatternScales()); }},
      {{{"pattern4.jpg", 256, 256, {k440, 88}}}, [] { return One(PatternGlyphs()); }},
      {{{"pattern5.jpg", 256, 256, {k422, 88, true}}}, [] { return One(PatternSprouts()); }},
      {{{"pattern6.jpg", 256, 256, {k420, 88, false, 1}}}, [] { return One(PatternTendrils()); }},
      {{{"walker.jpg", 1024, 128, {k420, 90, false, 1}}}, [] { return One(Walker()); }},
      {{{"floor.jpg", 256, 512, {k422, 90, true, 4}}}, [] { return One(FloorBands()); }},
      {{{"gaitis.jpg", 128, 512, {k420, 90}}, {"gaitisa.jpg", 128, 512, {k444, 95}}},
       [] { return Pair(PortraitGaitis()); }},
      {{{"bl.jpg", 128, 512, {k422, 90, true}}, {"bla.jpg", 128, 512, {k440, 95}}},
       [] { return Pair(PortraitBl()); }},
      {{{"zep1.jpg", 256, 128, {k440, 90, true}}, {"zepa.jpg", 256, 128, {k444, 95}}},
       [] { return Pair(Airship()); }},
      {{{"psalidi1.jpg", 256, 256, {k420, 90, false, 2}}, {"psalidi1a.jpg", 256, 256, {k444, 95}}},
       [] { return Pair(ScissorBlade(false)); }},
      {{{"psalidi2.jpg", 256, 256, {k420, 90, false, 2}}, {"psalidi2a.jpg", 256, 256, {k422, 95, true}}},
       [] { return Pair(ScissorBlade(true)); }},
      {{{"oskelr.jpg", kLogoSize, kLogoSize, {k444, 100}}}, [] { return One(Logo()); }},
  };
  return pictures;
}

std::string TexturePath(const fs::path& dir, const std::string& name) {
  return (dir / "textures" / name).string();
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void Generate(const fs::path& dir) {
  fs::create_directories(dir / "textures");
  for (const Picture& picture : Catalogue()) {
    const std::vector<Image> images = picture.draw();
    for (size_t i = 0; i < picture.files.size(); ++i) {
      const PackFile& file = picture.files[i];
      if (images[i].width != file.width || images[i].height != file.height) {
        throw std::runtime_error(std::string(file.name) + ": drawn at the wrong size");
      }
      WriteJpeg(TexturePath(dir, file.name), images[i], file.options);
    }
  }
  for (const ShapeFile& file : MakeShapeFiles())
    WriteFileBytes(TexturePath(dir, file.name), EncodeShapeFile(file.glyphs));
}

JpegLayout ExpectedLayout(Subsampling s) {
  switch (s) {
    case Subsampling::k444:
      return JpegLayout::H1V1;
    case Subsampling::k422:
      return JpegLayout::H2V1;
    case Subsampling::k440:
      return JpegLayout::H1V2;
    case Subsampling::k420:
      return JpegLayout::H2V2;
  }
  return JpegLayout::Gray;
}

// Reports each problem on stderr and returns how many there were.
int CheckTextures(const fs::path& dir, uintmax_t& total) {
  int problems = 0;
  auto problem = [&](const std::string& name, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), what.c_str());
    ++problems;
  };
  std::printf("%-15s %9s  %-6s %-11s %-8s %7s\n", "file", "size", "layout", "coding", "restarts", "bytes");
  for (const Picture& picture : Catalogue()) {
    for (const PackFile& file : picture.files) {
      const std::string path = TexturePath(dir, file.name);
      std::string error;
      const auto decoded = DecodePicture(path, error);
      if (!decoded) {
        problem(file.name, error);
        continue;
      }
      if (decoded->width != file.width || decoded->height != file.height) {
        problem(file.name,
                "decoded at " + std::to_string(decoded->width) + "x" + std::to_string(decoded->height));
      }
      if (decoded->layout != ExpectedLayout(file.options.subsampling)) {
        problem(file.name, std::string("layout ") + LayoutName(decoded->layout));
      }
      if (decoded->progressive != file.options.progressive) problem(file.name, "wrong coding");
      const uintmax_t bytes = fs::file_size(path);
      total += bytes;
      const std::string dims = std::to_string(file.width) + "x" + std::to_string(file.height);
      const std::string restarts =
          file.options.restartRows ? "every " + std::to_string(file.options.restartRows) : "-";
      std::printf("%-15s %9s  %-6s %-11s %-8s %7ju\n", file.name, dims.c_str(), LayoutName(decoded->layout),
                  decoded->progressive ? "progressive" : "baseline", restarts.c_str(), bytes);
      if (std::string(file.name) == "oskelr.jpg") {
        std::vector<uint8_t> red(size_t(decoded->width) * decoded->height);
        int seeds = 0;
        for (size_t i = 0; i < red.size(); ++i) red[i] = decoded->rgb[3 * i], seeds += red[i] == 255;
        const TraceCount count = TraceStrokes(red, decoded->width, decoded->height);
        std::printf("  logo: %d seed pixels, %d curves, %d points\n", seeds, count.curves, count.points);
        if (count.curves < 5) problem(file.name, "the tracer finds fewer than 5 curves");
        if (!BorderIsDark(red, decoded->width, decoded->height))
          problem(file.name, "bright pixels at the border");
      }
    }
    // A colour picture and its matte are drawn together and must stay the same size.
    if (picture.files.size() == 2 && (picture.files[0].width != picture.files[1].width ||
                                      picture.files[0].height != picture.files[1].height)) {
      problem(picture.files[0].name, "differs in size from its matte");
    }
  }
  return problems;
}

int CheckShapes(const fs::path& dir, uintmax_t& total) {
  int problems = 0;
  auto problem = [&](const std::string& name, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), what.c_str());
    ++problems;
  };
  for (const char* name : {"f.txt", "f2.txt", "f3.txt", "f4.txt"}) {
    const std::string path = TexturePath(dir, name);
    const auto bytes = ReadFileBytes(path);
    const auto glyphs = bytes ? DecodeShapeFile(*bytes) : std::nullopt;
    if (!glyphs) {
      problem(name, "missing or malformed");
      continue;
    }
    total += bytes->size();
    int polygons = 0, points = 0;
    for (const ShapeGlyph& glyph : *glyphs) {
      for (const ShapePolygon& polygon : glyph) {
        ++polygons, points += int(polygon.xy.size() / 2);
        if (polygon.xy.size() / 2 <= 5) problem(name, "a polygon of 5 points or fewer");
        if (SignedArea(polygon) <= 0) problem(name, "a contour that is not counter-clockwise");
      }
    }
    std::printf("%-15s %zu glyphs, %d polygons, %d points, %zu bytes\n", name, glyphs->size(), polygons,
                points, bytes->size());
    if (glyphs->size() < 2) problem(name, "fewer than 2 glyphs");
    if (std::string(name) == "f3.txt" && (glyphs->size() != 2 || (*glyphs)[1].size() != 32)) {
      problem(name, "glyph 1 must hold the 32 small shapes, and no later glyph may follow");
    }
  }
  return problems;
}

}  // namespace

int main(int argc, char** argv) {
  const bool checkOnly = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !checkOnly) {
    std::fprintf(stderr, "usage: velmora-make-assets OUT_DIR\n       velmora-make-assets --check OUT_DIR\n");
    return 2;
  }
  const fs::path dir = argv[argc - 1];
  try {
    if (!checkOnly) Generate(dir);
    uintmax_t total = 0;
    const int problems = CheckTextures(dir, total) + CheckShapes(dir, total);
    std::printf("pack: %ju bytes\n", total);
    if (problems) {
      std::fprintf(stderr, "%d problem(s) in the pack\n", problems);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velmora-make-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
