// The clipboard, as the show leaves its capture text there on the way out.
#pragma once

#include <string>

// Puts the text on the clipboard and keeps it there after the program has ended. On X11 a selection dies with
// its owner, so the text is handed to xclip, which serves it in the background until another program takes
// the clipboard (and which a clipboard manager, where one runs, copies from); SDL's clipboard serves where
// there is no xclip or no X11. False when nothing took it.
bool CopyTextToClipboard(const std::string& text);
