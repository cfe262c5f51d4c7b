#include <gtest/gtest.h>

#include "render/gl_strings.h"

namespace {

TEST(Extensions, OnlyWholeWordsCount) {
  const std::string_view list = "GL_ARB_multisample_extra GL_EXT_a GL_ARB_multisample";
  EXPECT_TRUE(ContainsExtensionWord(list, "GL_ARB_multisample"));  // the last word, after a longer one
  EXPECT_TRUE(ContainsExtensionWord(list, "GL_EXT_a"));
  EXPECT_FALSE(ContainsExtensionWord("GL_ARB_multisample_extra", "GL_ARB_multisample"));
  EXPECT_FALSE(ContainsExtensionWord("XGL_EXT_a GL_EXT_ab", "GL_EXT_a"));
  EXPECT_TRUE(ContainsExtensionWord("GL_EXT_a", "GL_EXT_a"));
  EXPECT_FALSE(ContainsExtensionWord("", "GL_EXT_a"));
  EXPECT_FALSE(ContainsExtensionWord("GL_EXT_a", ""));
}

// The batched renderer's install check and the offscreen target's read the version from these strings.
TEST(GlVersion, DesktopAndEsStringsAreRead) {
  const GlVersion desktop = ParseGlVersion("4.5 (Compatibility Profile) Mesa 22.3.6");
  EXPECT_FALSE(desktop.es);
  EXPECT_TRUE(desktop.AtLeast(3, 3));  // a later major version with a smaller minor one
  EXPECT_FALSE(desktop.AtLeast(4, 6));
  const GlVersion core = ParseGlVersion("3.3 (Core Profile) Mesa 22.3.6");
  EXPECT_TRUE(!core.es && core.AtLeast(3, 3) && !core.AtLeast(4, 0));
  const GlVersion web = ParseGlVersion("OpenGL ES 3.0 (WebGL 2.0 (OpenGL ES 3.0 Chromium))");
  EXPECT_TRUE(web.es && web.AtLeast(3, 0) && !web.AtLeast(3, 1));
  const GlVersion old = ParseGlVersion("OpenGL ES-CM 1.1 Mesa");
  EXPECT_TRUE(old.es && old.AtLeast(1, 1) && !old.AtLeast(2, 0));
  for (const char* unreadable : {static_cast<const char*>(nullptr), "", "OpenGL ES", "3", "version 3."}) {
    EXPECT_FALSE(ParseGlVersion(unreadable).AtLeast(0, 1)) << (unreadable ? unreadable : "null");
  }
}

TEST(Renderer, MesasCpuRasterisersAreKnownByName) {
  EXPECT_TRUE(IsCpuRasteriser("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsCpuRasteriser("softpipe"));
  EXPECT_FALSE(IsCpuRasteriser("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsCpuRasteriser("NVIDIA H100 80GB HBM3/PCIe/SSE2"));
  EXPECT_FALSE(IsCpuRasteriser(""));
}

}  // namespace
