#include "desktop/sdl_message_sink.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "desktop/fltk_message_box.h"

namespace {

Uint32 IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return SDL_MESSAGEBOX_INFORMATION;
    case MessageIcon::Exclamation:
      return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Stop:
      return SDL_MESSAGEBOX_ERROR;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

// Shows a box with the given buttons; returns the id of the button pressed, or -1 when no box could be shown.
int ShowBox(const MessageText& message, const SDL_MessageBoxButtonData* buttons, int buttonCount) {
  const std::string text(message.text);
  const std::string caption(message.caption);
  SDL_MessageBoxData box{};
  box.flags = IconFlags(message.icon);
  box.title = caption.c_str();
  box.message = text.c_str();
  box.numbuttons = buttonCount;
  box.buttons = buttons;
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return -1;
  return pressed;
}

}  // namespace

void SdlMessageSink::Show(const MessageText& message) {
  PrintMessage(message);
  const SDL_MessageBoxButtonData ok{
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
  if (ShowBox(message, &ok, 1) < 0) ShowFltkMessageBox(message, false);
}

bool SdlMessageSink::AskYesNo(const MessageText& message) {
  PrintMessage(message);
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  int answer = ShowBox(message, buttons, 2);
  if (answer < 0) answer = ShowFltkMessageBox(message, true);
  return answer == 1;
}

void ShowWithSdlReason(MessageSink& messages, const MessageText& message) {
  const std::string reason = SDL_GetError();
  if (!reason.empty()) std::fprintf(stderr, "SDL: %s\n", reason.c_str());  // before the box waits for a click
  messages.Show(message);
}
