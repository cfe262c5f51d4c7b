// libFuzzer target over the shape files: the parser, then both readers that compile display lists through
// GLU's tessellator. The GL calls go to counting stand-ins, so no context is needed. A file is either
// refused with one message naming it, compiling nothing, or read whole: one list per glyph (or polygon)
// numbered above 0, each a closed run of whole primitives.
#include <cmath>

#include "assets/outline_shapes.h"
#include "render/gl_table.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/recording_messages.h"

namespace {

struct GlCalls {
  int lists = 0;
  bool inList = false, inPrimitive = false;
} gCalls;

void NewList(GLuint list, GLenum) {
  Check(list > 0 && !gCalls.inList, "lists are numbered above 0 and not nested");
  gCalls.inList = true;
  gCalls.lists++;
}
void EndList() {
  Check(gCalls.inList && !gCalls.inPrimitive, "a list ends after its primitives");
  gCalls.inList = false;
}
void Begin(GLenum) {
  Check(gCalls.inList && !gCalls.inPrimitive, "primitives begin inside a list");
  gCalls.inPrimitive = true;
}
void End() {
  Check(gCalls.inPrimitive, "a primitive ends once");
  gCalls.inPrimitive = false;
}
void Vertex3f(GLfloat x, GLfloat y, GLfloat) {
  Check(gCalls.inPrimitive, "vertices are given inside a primitive");
  Check(std::fabs(x) <= 2 && std::fabs(y) <= 2, "tessellated points stay inside the shape's extent");
}

size_t GlyphLists(const std::vector<ShapeGlyph>& glyphs, int base) {
  size_t lists = 0;
  for (size_t g = 0; g < glyphs.size(); ++g) lists += base + int(g) > 0;
  return lists;
}

size_t PolygonLists(const std::vector<ShapeGlyph>& glyphs, int base) {
  size_t lists = 0;
  for (size_t g = 0; g < glyphs.size(); ++g) {
    for (size_t p = 0; p < glyphs[g].polygons.size(); ++p) lists += base + int(g + p) > 0;
  }
  return lists;
}

// Reads the file with `read` and checks the outcome against what the parser made of the same bytes.
template <typename Read>
void CheckReader(Read read, const std::string& path, int base,
                 const std::optional<std::vector<ShapeGlyph>>& parsed, size_t expectedLists) {
  gCalls = {};
  RecordingMessages messages;
  int glyphCount = -1;
  const bool readWhole = read(path, glyphCount, base, 1.0, messages);
  Check(readWhole == parsed.has_value(), "the reader accepts what the parser accepts");
  Check(!gCalls.inList && !gCalls.inPrimitive, "every list and primitive is closed");
  if (readWhole) {
    Check(messages.shown.empty() && glyphCount == int(parsed->size()), "a file read whole says nothing");
    Check(size_t(gCalls.lists) == expectedLists, "one list for each numbered glyph or polygon");
  } else {
    Check(messages.shown == std::vector<std::string>{path}, "a refused file is named in one message");
    Check(gCalls.lists == 0 && glyphCount == -1, "a refused file compiles nothing");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gGl.NewList = NewList;
  gGl.EndList = EndList;
  gGl.Begin = Begin;
  gGl.End = End;
  gGl.Vertex3f = Vertex3f;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchFile file("shapes");
  const std::string& path = file.Write(data, size);
  const auto parsed = ParseShapeFile(std::vector<uint8_t>(data, data + size));
  if (parsed) {
    size_t polygons = 0, values = 0;
    for (const ShapeGlyph& glyph : *parsed) {
      polygons += glyph.polygons.size();
      for (const ShapePolygon& polygon : glyph.polygons) {
        Check(polygon.xy.size() % 2 == 0 && polygon.xy.size() <= 2 * kMaxContourPoints, "whole contours");
        values += polygon.xy.size();
      }
    }
    Check(12 + 4 * parsed->size() + 12 * polygons + 2 * values <= size,
          "the parse holds no more than the file");
  }
  CheckReader(ReadGlyphLists, path, 0, parsed, parsed ? GlyphLists(*parsed, 0) : 0);
  CheckReader(ReadPolygonLists, path, 1000, parsed, parsed ? PolygonLists(*parsed, 1000) : 0);
  return 0;
}
