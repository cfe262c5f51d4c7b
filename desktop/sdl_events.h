// The window's event handling: activation, size, close, keys and the camera-capture click.
#pragma once

#include <SDL.h>

#include "state/demo_state.h"
#include "timing/frame_record.h"

enum class EventOutcome { Continue, Quit };

// The virtual-key code of an SDL key (Escape, letters, digits, arrows, Page Up/Down, Home, End, F-keys,
// Return, Space); -1 for others.
int VirtualKeyFromSdl(SDL_Keycode key);

EventOutcome HandleWindowEvent(const SDL_Event& event, DemoState& state, const FrameRecord& frame);
