#include <gtest/gtest.h>

#include "desktop/sdl_events.h"
#include "state/virtual_keys.h"

namespace {

SDL_Event KeyEvent(Uint32 type, SDL_Keycode key) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = key;
  return event;
}

SDL_Event WindowEvent(Uint8 what) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = what;
  return event;
}

SDL_Event ButtonEvent(Uint32 type, Uint8 button) {
  SDL_Event event{};
  event.type = type;
  event.button.button = button;
  return event;
}

TEST(SdlEvents, KeysMapToVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), 0x1B);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 'A');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 'Z');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_0), '0');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_9), '9');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), 0x25);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN), 0x28);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), 0x70);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 0x7B);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13), 0x7C);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F24), 0x87);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT), -1);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), -1);
}

TEST(SdlEvents, KeyStateFollowsDownAndUp) {
  DemoState state;
  FrameRecord frame;
  HandleWindowEvent(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE), state, frame);
  EXPECT_TRUE(state.keyDown[kVkEscape]);
  HandleWindowEvent(KeyEvent(SDL_KEYUP, SDLK_ESCAPE), state, frame);
  EXPECT_FALSE(state.keyDown[kVkEscape]);
  HandleWindowEvent(KeyEvent(SDL_KEYDOWN, SDLK_LCTRL), state, frame);  // unmapped: ignored
  EXPECT_EQ(std::count(state.keyDown.begin(), state.keyDown.end(), true), 0);
}

// A tap that falls between two frames still counts in the next frame; holding counts until released.
TEST(SdlEvents, AKeyPressedSinceTheLastFrameCountsEvenIfReleased) {
  DemoState state;
  FrameRecord frame;
  HandleWindowEvent(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE), state, frame);
  HandleWindowEvent(KeyEvent(SDL_KEYUP, SDLK_ESCAPE), state, frame);
  EXPECT_FALSE(state.keyDown[kVkEscape]);
  EXPECT_TRUE(state.KeyHitThisFrame(kVkEscape));
  state.keyPressed.fill(false);  // the frame has seen it
  EXPECT_FALSE(state.KeyHitThisFrame(kVkEscape));
  HandleWindowEvent(KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE), state, frame);
  state.keyPressed.fill(false);
  EXPECT_TRUE(state.KeyHitThisFrame(kVkEscape));
}

TEST(SdlEvents, MinimisingPausesFramesAndCloseQuits) {
  DemoState state;
  FrameRecord frame;
  HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_MINIMIZED), state, frame);
  EXPECT_FALSE(state.windowActive);
  HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_RESTORED), state, frame);
  EXPECT_TRUE(state.windowActive);
  EXPECT_EQ(HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE), state, frame), EventOutcome::Quit);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(HandleWindowEvent(quit, state, frame), EventOutcome::Quit);
}

TEST(SdlEvents, OnlyTheMiddleButtonCaptures) {
  DemoState state;
  FrameRecord frame;
  HandleWindowEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), state, frame);
  HandleWindowEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE), state, frame);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  EXPECT_EQ(HandleWindowEvent(wheel, state, frame), EventOutcome::Continue);
  EXPECT_TRUE(state.captureText.empty());

  HandleWindowEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE), state, frame);
  HandleWindowEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE), state, frame);
  const std::string block = "Cam :0.,0.,0.  \nPnt :0.,0.,0.  \n \nMCr :0.,2.,0.  \n \n";
  EXPECT_EQ(state.captureText, block + block);
}

}  // namespace
