// Message boxes through SDL (FLTK where SDL cannot show one); every message is printed to standard error as
// well, so it is seen even where no box can be shown (no display).
#pragma once

#include "state/messages.h"

class SdlMessageSink : public MessageSink {
 public:
  void Show(const MessageText& message) override;
  // Without a display the question cannot be asked and counts as No.
  bool AskYesNo(const MessageText& message) override;
};

// Shows the message of a failed SDL call, with SDL's reason printed before it on standard error.
void ShowWithSdlReason(MessageSink& messages, const MessageText& message);
