// A MessageSink that records what would have been shown, answering questions with a preset answer.
#pragma once

#include <string>
#include <vector>

#include "state/messages.h"

class RecordingMessages : public MessageSink {
 public:
  void Show(const MessageText& message) override { shown.emplace_back(message.text); }
  bool AskYesNo(const MessageText& message) override {
    shown.emplace_back(message.text);
    return answer;
  }

  std::vector<std::string> shown;
  bool answer = true;
};
