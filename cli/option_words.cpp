#include "cli/option_words.h"

namespace {

// The ids of the two options every program has; the programs number theirs from 0.
constexpr int kHelp = -1;
constexpr int kVersion = -2;
constexpr OptionSpec kCommonOptions[] = {{"help", kHelp}, {"version", kVersion}};

// "--a, --b or --c".
std::string Alternatives(const std::vector<const OptionSpec*>& options) {
  std::string text;
  for (size_t i = 0; i < options.size(); ++i) {
    text += (i == 0 ? "--" : i + 1 < options.size() ? ", --" : " or --") + std::string(options[i]->name);
  }
  return text;
}

// The option `written` names: itself, else the only option it begins; null with the reason otherwise.
const OptionSpec* FindOption(std::string_view written, std::span<const OptionSpec> options,
                             std::string& reason) {
  std::vector<const OptionSpec*> begun;
  for (const auto table : {options, std::span<const OptionSpec>(kCommonOptions)}) {
    for (const OptionSpec& option : table) {
      if (option.name == written) return &option;
      if (!written.empty() && option.name.starts_with(written)) begun.push_back(&option);
    }
  }
  if (begun.size() == 1) return begun[0];
  const std::string name = "--" + std::string(written);
  reason = begun.empty() ? "unknown option " + name : name + " is ambiguous: " + Alternatives(begun);
  return nullptr;
}

void Note(OptionWords& words, int id) {
  if (id == kHelp) words.action = CommandLineAction::PrintHelp;
  if (id == kVersion && words.action == CommandLineAction::Run)
    words.action = CommandLineAction::PrintVersion;
}

// Splits one "--name" or "--name=value" word (the next word may be its value); false with the reason.
bool SplitLongOption(std::span<const char* const> arguments, size_t& i, std::span<const OptionSpec> options,
                     OptionWords& words) {
  const std::string_view word = std::string_view(arguments[i]).substr(2);
  const size_t equals = word.find('=');
  const OptionSpec* option = FindOption(word.substr(0, equals), options, words.refusal);
  if (!option) return false;
  const std::string name = "--" + std::string(option->name);
  const bool joined = equals != std::string_view::npos;
  if (!option->takesValue && joined) {
    words.refusal = name + " takes no value, not '" + std::string(word.substr(equals + 1)) + "'";
    return false;
  }
  if (option->takesValue && !joined && i + 1 == arguments.size()) {
    words.refusal = name + " needs a value";
    return false;
  }
  if (option->id == kHelp || option->id == kVersion) {
    Note(words, option->id);
  } else if (!option->takesValue) {
    words.options.push_back({option->id, name, ""});
  } else {
    words.options.push_back(
        {option->id, name, std::string(joined ? word.substr(equals + 1) : arguments[++i])});
  }
  return true;
}

// Splits a word of short options, such as -hV; false with the reason.
bool SplitLetters(std::string_view letters, OptionWords& words) {
  for (const char letter : letters) {
    if (letter != 'h' && letter != 'V') {
      words.refusal = std::string("unknown option -") + letter;
      return false;
    }
    Note(words, letter == 'h' ? kHelp : kVersion);
  }
  return true;
}

}  // namespace

OptionWords SplitCommandLine(std::span<const char* const> arguments, std::span<const OptionSpec> options) {
  OptionWords words;
  bool onlyOperands = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view word = arguments[i];
    if (onlyOperands || word == "-" || !word.starts_with('-')) {
      words.operands.emplace_back(word);
    } else if (word == "--") {
      onlyOperands = true;
    } else if (!(word.starts_with("--") ? SplitLongOption(arguments, i, options, words)
                                        : SplitLetters(word.substr(1), words))) {
      break;
    }
  }
  if (!words.refusal.empty()) words.action = CommandLineAction::Refuse;
  return words;
}
