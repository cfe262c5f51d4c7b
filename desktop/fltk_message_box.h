// Message boxes drawn with FLTK, for desktops where SDL cannot show one (SDL's X11 box needs the X server's
// core fonts, which many desktops no longer install).
#pragma once

#include "state/messages.h"

// True when an X11 display can be opened; FLTK would end the process where it cannot.
bool X11DisplayReachable();

// Shows the message with an OK button, or with Yes and No when `askYesNo`. Returns 1 for OK or Yes, 0 for No,
// -1 when no box could be shown.
int ShowFltkMessageBox(const MessageText& message, bool askYesNo);
