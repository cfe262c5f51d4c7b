// OffscreenTarget: the framebuffer every frame of the show is drawn into.
//
// A framebuffer object of the render size with 4 samples, colour and 24-bit depth; where the driver cannot
// make that, a single-sample one with 8 stencil bits. Presenting resolves it and draws it into a destination
// framebuffer (the window's back buffer, or any framebuffer a test or capture host chooses) scaled to fit,
// with black bars where the aspect ratios differ. Pure OpenGL: works under an SDL window or headless EGL.
#pragma once

#include <cstdint>
#include <vector>

struct OffscreenTarget {
  uint32_t framebuffer = 0;  // drawn into; multisampled when `samples` > 0
  uint32_t colourBuffer = 0;
  uint32_t depthBuffer = 0;
  uint32_t resolveFramebuffer = 0;  // single-sample copy, the source of presentation and read-back
  uint32_t resolveTexture = 0;
  int width = 0;
  int height = 0;
  int samples = 0;
  bool stencil = false;
};

// What the current context offers for offscreen drawing.
struct OffscreenSupport {
  bool framebufferObjects = false;
  int maxSamples = 0;
};

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

OffscreenSupport QueryOffscreenSupport();

// The widest or tallest picture the current context can draw offscreen and read back.
int LargestOffscreenSide();

// How a target was made: with 4 samples, as the single-sample fallback, or not at all.
enum class OffscreenOutcome { Multisampled, SingleSampled, Failed };

// Makes the target on the current context and resets the context's state (nothing is left made on failure).
OffscreenOutcome CreateOffscreenTarget(OffscreenTarget& target, int width, int height,
                                       const OffscreenSupport& support);
void ReleaseOffscreenTarget(OffscreenTarget& target);

// Binds the target for drawing, with the viewport covering the whole picture.
void MakeOffscreenTargetCurrent(const OffscreenTarget& target);

// Copies the multisampled picture into the single-sample resolve framebuffer (nothing to do without samples).
void ResolveOffscreenTarget(const OffscreenTarget& target);

// Resolves the target and reads its picture: RGB, top row first.
std::vector<uint8_t> ReadOffscreenPixels(const OffscreenTarget& target);

// The largest rectangle of the picture's aspect ratio centred in an area of the given size.
PixelRect LetterboxRect(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// Resolves the target and draws it letterboxed into `destination` (framebuffer 0 is the window). GL state
// other than the framebuffer binding is left as it was.
void PresentOffscreenTarget(const OffscreenTarget& target, uint32_t destination, int destinationWidth,
                            int destinationHeight);

// Switches off every capability a frame might have left on and sets plain pixel transfer and packing.
void ResetContextState();
