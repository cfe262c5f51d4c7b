// The one-time start-up that runs once the window's GL context is current.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "render/offscreen_target.h"
#include "show/show_object.h"
#include "state/demo_state.h"
#include "state/messages.h"
#include "timing/demo_clock.h"
#include "timing/frame_record.h"
#include "timing/music_player.h"

// Everything start-up creates or fills, owned by the host.
struct StartUpContext {
  DemoState& state;
  FrameRecord& frame;
  OffscreenTarget& target;
  DemoClock& clock;
  MessageSink& messages;
  std::unique_ptr<ShowObject>& show;          // made and set up by start-up
  MusicPlayer& music;                         // only used when music is on
  std::function<void()> stopWaitingForVsync;  // called as the music starts
};

// The offscreen target at the picture's size on the current context. The FSAA message when only the
// single-sample fallback can be made; false, after its message, when not even that works.
bool CreateShowTarget(OffscreenTarget& target, int width, int height, MessageSink& messages);

// The GL state the show's frames start from, whatever the context held before (layers that switch the depth
// test on rely on its function, less-or-equal); the headless renderer applies it too, so that its frames are
// the live ones. Making the offscreen target afterwards leaves it as it is.
void ApplyRenderDefaults(DemoState& state);

// GL defaults of the show, then StartUp. Returns the exit code when start-up must end the process.
std::optional<int> InitRenderState(StartUpContext& context);

// Offscreen target, card check, show set-up, music and clock, in that order. Returns the exit code when a
// failure must end the process.
std::optional<int> StartUp(StartUpContext& context);
