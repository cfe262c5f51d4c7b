#include "render/offscreen_target.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "render/gl_api.h"
#include "render/gl_strings.h"
#include "render/overlay.h"

namespace {

constexpr int kWantedSamples = 4;

bool FramebufferComplete(GLuint framebuffer) {
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  return complete;
}

GLuint MakeColourTexture(int width, int height) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

GLuint MakeRenderbuffer(GLenum format, int samples, int width, int height) {
  GLuint buffer = 0;
  glGenRenderbuffers(1, &buffer);
  glBindRenderbuffer(GL_RENDERBUFFER, buffer);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  return buffer;
}

GLuint MakeFramebuffer(GLuint colourTexture, GLuint colourBuffer, GLuint depthBuffer,
                       GLenum depthAttachment) {
  GLuint framebuffer = 0;
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  if (colourTexture) {
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colourTexture, 0);
  } else {
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
  }
  if (depthBuffer) glFramebufferRenderbuffer(GL_FRAMEBUFFER, depthAttachment, GL_RENDERBUFFER, depthBuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  return framebuffer;
}

// 4-sample colour and depth renderbuffers, resolved into a texture for presentation.
bool CreateMultisampled(OffscreenTarget& target) {
  target.samples = kWantedSamples;
  target.colourBuffer = MakeRenderbuffer(GL_RGBA8, kWantedSamples, target.width, target.height);
  target.depthBuffer = MakeRenderbuffer(GL_DEPTH_COMPONENT24, kWantedSamples, target.width, target.height);
  target.framebuffer = MakeFramebuffer(0, target.colourBuffer, target.depthBuffer, GL_DEPTH_ATTACHMENT);
  target.resolveTexture = MakeColourTexture(target.width, target.height);
  target.resolveFramebuffer = MakeFramebuffer(target.resolveTexture, 0, 0, 0);
  return FramebufferComplete(target.framebuffer) && FramebufferComplete(target.resolveFramebuffer);
}

// One sample, 8 stencil bits; the colour texture is drawn into directly and serves as its own resolve.
bool CreateSingleSampled(OffscreenTarget& target) {
  target.samples = 0;
  target.stencil = true;
  target.resolveTexture = MakeColourTexture(target.width, target.height);
  target.depthBuffer = MakeRenderbuffer(GL_DEPTH24_STENCIL8, 0, target.width, target.height);
  target.framebuffer =
      MakeFramebuffer(target.resolveTexture, 0, target.depthBuffer, GL_DEPTH_STENCIL_ATTACHMENT);
  target.resolveFramebuffer = target.framebuffer;
  return FramebufferComplete(target.framebuffer);
}

// One of the context's strings, "" where it gives none. GL_EXTENSIONS is asked only below version 3.0: a
// core profile has no such string.
const char* GlText(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "";
}

}  // namespace

OffscreenSupport QueryOffscreenSupport() {
  OffscreenSupport support;
  support.framebufferObjects = ParseGlVersion(GlText(GL_VERSION)).AtLeast(3, 0) ||
                               ContainsExtensionWord(GlText(GL_EXTENSIONS), "GL_ARB_framebuffer_object");
  if (support.framebufferObjects) glGetIntegerv(GL_MAX_SAMPLES, &support.maxSamples);
  return support;
}

int LargestOffscreenSide() {
  GLint renderbuffer = 0, texture = 0, viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  return std::min({renderbuffer, texture, viewport[0], viewport[1]});
}

OffscreenOutcome CreateOffscreenTarget(OffscreenTarget& target, int width, int height,
                                       const OffscreenSupport& support) {
  target = OffscreenTarget{};
  target.width = std::max(width, 1);
  target.height = std::max(height, 1);

  OffscreenOutcome outcome = OffscreenOutcome::Multisampled;
  if (!support.framebufferObjects || support.maxSamples < kWantedSamples || !CreateMultisampled(target)) {
    ReleaseOffscreenTarget(target);
    target.width = std::max(width, 1);
    target.height = std::max(height, 1);
    outcome = support.framebufferObjects && CreateSingleSampled(target) ? OffscreenOutcome::SingleSampled
                                                                        : OffscreenOutcome::Failed;
  }
  if (outcome == OffscreenOutcome::Failed) ReleaseOffscreenTarget(target);
  return outcome;
}

void ReleaseOffscreenTarget(OffscreenTarget& target) {
  if (target.resolveFramebuffer && target.resolveFramebuffer != target.framebuffer) {
    glDeleteFramebuffers(1, &target.resolveFramebuffer);
  }
  if (target.framebuffer) glDeleteFramebuffers(1, &target.framebuffer);
  if (target.colourBuffer) glDeleteRenderbuffers(1, &target.colourBuffer);
  if (target.depthBuffer) glDeleteRenderbuffers(1, &target.depthBuffer);
  if (target.resolveTexture) glDeleteTextures(1, &target.resolveTexture);
  target = OffscreenTarget{};
}

void MakeOffscreenTargetCurrent(const OffscreenTarget& target) {
  glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
  glViewport(0, 0, target.width, target.height);
}

void ResolveOffscreenTarget(const OffscreenTarget& target) {
  if (target.resolveFramebuffer == target.framebuffer) return;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.resolveFramebuffer);
  glBlitFramebuffer(0, 0, target.width, target.height, 0, 0, target.width, target.height, GL_COLOR_BUFFER_BIT,
                    GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

PixelRect LetterboxRect(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  const double scale = std::min(double(areaWidth) / pictureWidth, double(areaHeight) / pictureHeight);
  const int width = std::min(areaWidth, int(std::lround(pictureWidth * scale)));
  const int height = std::min(areaHeight, int(std::lround(pictureHeight * scale)));
  return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

void PresentOffscreenTarget(const OffscreenTarget& target, uint32_t destination, int destinationWidth,
                            int destinationHeight) {
  ResolveOffscreenTarget(target);
  glBindFramebuffer(GL_FRAMEBUFFER, destination);
  BeginOverlay();
  glViewport(0, 0, destinationWidth, destinationHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);

  const PixelRect rect = LetterboxRect(target.width, target.height, destinationWidth, destinationHeight);
  glViewport(rect.x, rect.y, rect.width, rect.height);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, target.resolveTexture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glColor4f(1, 1, 1, 1);
  DrawViewportQuad();
  EndOverlay();
}

void ResetContextState() {
  for (GLenum capability : {GL_ALPHA_TEST, GL_BLEND, GL_DEPTH_TEST, GL_DITHER, GL_FOG, GL_LIGHTING,
                            GL_COLOR_LOGIC_OP, GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D}) {
    glDisable(capability);
  }
  glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
  for (GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE})
    glPixelTransferf(scale, 1.0f);
  for (GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS}) glPixelTransferf(bias, 0.0f);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

std::vector<uint8_t> ReadOffscreenPixels(const OffscreenTarget& target) {
  ResolveOffscreenTarget(target);
  glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
  std::vector<uint8_t> bottomUp(size_t(target.width) * target.height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, target.width, target.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  std::vector<uint8_t> topDown(bottomUp.size());
  const size_t row = size_t(target.width) * 3;
  for (int y = 0; y < target.height; ++y) {
    std::memcpy(&topDown[size_t(y) * row], &bottomUp[size_t(target.height - 1 - y) * row], row);
  }
  return topDown;
}
