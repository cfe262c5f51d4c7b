#include "state/messages.h"

#include <cstdio>

void PrintMessage(const MessageText& message) {
  std::fprintf(stderr, "%.*s: %.*s\n", int(message.caption.size()), message.caption.data(),
               int(message.text.size()), message.text.data());
  std::fflush(stderr);
}

void StderrMessageSink::Show(const MessageText& message) {
  PrintMessage(message);
}

bool StderrMessageSink::AskYesNo(const MessageText& message) {
  PrintMessage(message);
  return false;
}
