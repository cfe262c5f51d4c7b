// Message boxes through SDL (FLTK where SDL cannot show one); every message is printed to standard error as
// well, so it is seen even where no box can be shown (no display).
#pragma once

#include "shell/messages.h"

class SdlMessageSink : public MessageSink {
 public:
  void Show(const MessageText& message) override;
  // Without a display the question cannot be asked and counts as No.
  bool AskYesNo(const MessageText& message) override;
};

// For tools without a display: every message only goes to standard error, and questions count as No.
class StderrMessageSink : public MessageSink {
 public:
  void Show(const MessageText& message) override;
  bool AskYesNo(const MessageText& message) override;
};

// Prints a message to standard error: caption, then text.
void PrintMessage(const MessageText& message);

// Shows the message of a failed SDL call, with SDL's reason printed before it on standard error.
void ShowWithSdlReason(MessageSink& messages, const MessageText& message);
