// The show's window: an SDL window with a compatibility-profile GL context, 4x multisampling where the
// platform offers it; windowed, full screen over the whole display in the desktop's own mode (the picture is
// scaled to it), or, with setup.exclusive, full screen with the display switched to the window's size.
#pragma once

#include "state/demo_state.h"
#include "state/messages.h"

// Opens the window, makes its context current, shows and focuses it and sets the viewport. On failure the
// message has been shown, whatever was made is released, and the result is false.
bool OpenMainWindow(DemoState& state, MessageSink& messages, const char* title, int width, int height,
                    int bits, bool fullscreen);

// Releases the context and the window and restores the desktop's mode after an exclusive full screen.
void CloseMainWindow(DemoState& state, MessageSink& messages);

// Gives the display back its own mode if the window switched it (an exclusive full screen); the window stays.
void LeaveFullscreen(const DemoState& state);

// Presents the back buffer (what the frame drew is drawn by then: RunLiveFrame).
void SwapMainWindow(const DemoState& state);
