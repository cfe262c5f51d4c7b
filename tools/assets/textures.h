// The pack's pictures, one function each. Every function is deterministic: the same call gives the same
// pixels. Sizes are powers of two.
#pragma once

#include "tools/assets/paint.h"

namespace assets {

// A cut-out: the colour picture and its matte (white opaque, black clear), of the same size.
struct CutOut {
  Image colour;
  Image alpha;
};

// Soft lights and shadows (textures.cpp).
Image Blob();           // white disc fading to black before the edge
Image ShadowBand();     // dark-light-dark profile across the width
Image Glow();           // warm light on pure black, for adding
Image ManSilhouette();  // white figure on black
Image PixelButton();    // small pixel art for multiplying
Image Walker();         // 16 x 2 cells of a walk cycle, white on black
Image FloorBands();     // eight storeys stacked for towers
Image Butterfly();
Image Leaf();

// Tileable paper and ornament (patterns.cpp).
Image PaperGrain();
Image Pattern();      // the main light ornament
Image PatternDark();  // interlaced circles on a red ground
Image PatternScales();
Image PatternGlyphs();
Image PatternSprouts();
Image PatternTendrils();

// Cut-outs (cutouts.cpp).
CutOut PortraitGaitis();
CutOut PortraitBl();
CutOut Airship();
// The two scissor blades, both turning about the picture centre.
CutOut ScissorBlade(bool lower);

}  // namespace assets
