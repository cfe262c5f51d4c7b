#include "cli/help_text.h"

#include <algorithm>

namespace {

constexpr size_t kWidth = 80;
constexpr size_t kIndent = 2;         // before each option
constexpr size_t kWidestOption = 26;  // longer ones have their text on the lines below

// `text` wrapped at spaces into lines of at most kWidth columns (a longer word has a line of its own): the
// first line goes on from `column`, the others start at `indent`.
std::string Wrap(std::string_view text, size_t column, size_t indent) {
  std::string wrapped;
  bool wordOnLine = false;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find(' ', start), text.size());
    const std::string_view word = text.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    if (wordOnLine && column + 1 + word.size() > kWidth) {
      wrapped += "\n" + std::string(indent, ' ');
      column = indent;
      wordOnLine = false;
    }
    if (wordOnLine) {
      wrapped += ' ';
      ++column;
    }
    wrapped += word;
    column += word.size();
    wordOnLine = true;
  }
  return wrapped + "\n";
}

}  // namespace

std::string HelpParagraph(std::string_view text) {
  return Wrap(text, 0, 0);
}

std::string HelpOptions(std::vector<HelpOption> options) {
  options.push_back({"-h, --help", "show this help and exit"});
  options.push_back({"-V, --version", "show the version and exit"});
  size_t widest = 0;
  for (const HelpOption& option : options) {
    if (option.option.size() <= kWidestOption) widest = std::max(widest, option.option.size());
  }
  const size_t column = kIndent + widest + 2;
  std::string text;
  for (const HelpOption& option : options) {
    std::string line = std::string(kIndent, ' ') + option.option;
    if (line.size() + 2 > column) {
      text += line + "\n" + std::string(column, ' ');
    } else {
      text += line + std::string(column - line.size(), ' ');
    }
    text += Wrap(option.text, column, column);
  }
  return text;
}
