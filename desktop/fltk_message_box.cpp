#include "desktop/fltk_message_box.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <string>

bool X11DisplayReachable() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

int ShowFltkMessageBox(const MessageText& message, bool askYesNo) {
  if (!X11DisplayReachable()) return -1;
  const std::string text(message.text);
  fl_message_title(std::string(message.caption).c_str());
  fl_message_icon()->label(message.icon == MessageIcon::Information ? "i" : "!");
  if (askYesNo) return fl_choice("%s", "No", "Yes", nullptr, text.c_str());
  fl_message("%s", text.c_str());
  return 1;
}
