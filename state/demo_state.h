// DemoState: the one record that lives for the whole run.
//
// Settings, window handles, clock, main-loop inputs, camera and light, projection settings, the shader layer
// and the texture bank. The live program owns a single static instance; every function that needs it takes it
// by reference, so tests and the headless driver can own instances of their own. Plain data only: no window
// system header is needed to use it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render/batched/batched_gl.h"
#include "render/cg_layer.h"
#include "state/camera_record.h"
#include "state/texture_bank.h"
#include "state/virtual_keys.h"

struct FrameRecord;

// The choices of the setup dialog and the sizes derived from them.
struct SetupOptions {
  bool musicOn = true;
  bool fullscreen = false;
  bool forceWide = false;
  bool rehearse = false;  // the viewer's controls over time
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
  int32_t renderWidth = 0;  // size of the offscreen picture
  int32_t renderHeight = 0;
  bool exclusive = false;                          // full screen switches the display to the window's size
  RendererChoice renderer = RendererChoice::Auto;  // what draws: the batched renderer where it can be made
  double startAt = 0.0;                            // seconds of demo clock the show starts at
  double fadeRate = static_cast<double>(0.8f);     // closing-fade speed, the float 0.8 widened
};

// The live window. The handles belong to the platform layer and are opaque to everyone else.
struct WindowRecord {
  void* platformWindow = nullptr;
  void* platformContext = nullptr;
  bool msaaSupported = false;
  int32_t msaaFormat = 0;  // sample count of the window's multisampled format; 0 without one
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
};

constexpr int kKeyCount = 256;

struct DemoState {
  DemoState();
  DemoState(const DemoState&) = delete;
  DemoState& operator=(const DemoState&) = delete;

  SetupOptions setup;
  WindowRecord window;

  // Clock
  double demoClock = 0.0;
  double frameDelta = 0.0;
  double lastTimerReading = 0.0;
  bool musicSync = true;
  bool endingStarted = false;
  double endStart = 0.0;

  // Main loop
  bool windowActive = true;
  std::array<bool, kKeyCount> keyDown{};     // indexed by virtual-key code
  std::array<bool, kKeyCount> keyPressed{};  // went down since the last frame, even if up again by now
  std::string captureText;

  // Camera and light (the light is derived from the camera every frame)
  CameraRecord camera{Vec3(kVecValid, 0, 2, 0), Vec3(kVecValid, 0, 0, 0), Vec3(kVecValid, 0, 0, 1)};
  CameraRecord light;

  // Projection
  double fovOffset = 0.0;  // the scene's field of view is 75 + fovOffset degrees
  double nearPlane = 1.5;
  double farPlane = 100.0;
  double aspectScale = 1.0;

  CgProgramSet cg;
  TextureBank textures;
  FrameRecord* frame = nullptr;  // the frame record of the frame being drawn

  // A key that is down or was pressed since the last frame: a tap between two frames is not lost.
  bool KeyHitThisFrame(int code) const { return keyDown[size_t(code)] || keyPressed[size_t(code)]; }

  // A key went down or up (codes outside the table are ignored).
  void SetKey(int code, bool down) {
    if (code < 0 || code >= kKeyCount) return;
    keyDown[size_t(code)] = down;
    if (down) keyPressed[size_t(code)] = true;
  }

  // After a frame: Escape, down or tapped since the last frame, starts the closing fade; the taps are spent.
  void SpendFrameKeys() {
    if (KeyHitThisFrame(kVkEscape) && !endingStarted) {
      endingStarted = true;
      endStart = demoClock;
    }
    keyPressed.fill(false);
  }
};
