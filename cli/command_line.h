// How the three programs read their command lines and refuse what they cannot use. A refusal is one line
// on standard error naming the option and the value refused, "PROGRAM: REASON (see PROGRAM --help)", with
// exit code 2 and nothing else printed; --help and --version print on standard output with exit code 0.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/option_words.h"

template <typename Options>
struct ParsedCommandLine {
  CommandLineAction action = CommandLineAction::Run;
  Options options;
  std::string refusal;  // for Refuse: the whole line to print
};

// The words after the program's name (none when the program was started without even a name).
inline std::span<const char* const> ArgumentsAfterName(int argc, char** argv) {
  if (argc < 1) return {};
  return {argv + 1, size_t(argc - 1)};
}

// "PROGRAM: REASON (see PROGRAM --help)", with the reason's control characters written as escapes (\n,
// \x1b), so that a word quoted from the command line cannot break the line or drive the terminal.
std::string RefusalLine(std::string_view program, std::string_view reason);

// "--size takes WIDTHxHEIGHT ..., not '0x5'".
std::string RefusedValue(std::string_view option, std::string_view takes, std::string_view value);

// Reads the value of `word` with `rule` (option_values.h) into `into`; the reason for a value it refuses.
template <typename Rule, typename T>
std::string ReadValue(const OptionWord& word, const Rule& rule, T& into) {
  const auto value = rule.Read(word.value);
  if (!value) return RefusedValue(word.name, rule.Takes(), word.value);
  into = *value;
  return "";
}

// For programs that take no operands: "unexpected argument 'now'" for the first; empty for none.
std::string NoOperands(const std::vector<std::string>& operands);

// For the tools that write one output: the only operand, not empty, into `output`, else the reason; `what`
// names what the output may be, such as "OUT.png".
std::string OneOutput(const std::vector<std::string>& operands, std::string_view what, std::string& output);

// Reads a program's command line: splits it, gives each option to `readOption(word, options)` and, unless
// help or the version is asked for, the operands to `readOperands(operands, options)`. Both return the
// reason for what they refuse, or nothing; the first refusal ends the reading.
template <typename Options, typename ReadOption, typename ReadOperands>
ParsedCommandLine<Options> ReadCommandLine(std::string_view program, std::span<const char* const> arguments,
                                           std::span<const OptionSpec> table, ReadOption readOption,
                                           ReadOperands readOperands) {
  ParsedCommandLine<Options> line;
  const OptionWords words = SplitCommandLine(arguments, table);
  std::string reason;
  for (const OptionWord& word : words.options) {
    reason = readOption(word, line.options);
    if (!reason.empty()) break;
  }
  if (reason.empty()) reason = words.refusal;
  if (reason.empty() && words.action != CommandLineAction::Run) {
    line.action = words.action;
    return line;
  }
  if (reason.empty()) reason = readOperands(words.operands, line.options);
  if (!reason.empty()) {
    line.action = CommandLineAction::Refuse;
    line.refusal = RefusalLine(program, reason);
  }
  return line;
}

// "velmora-frame 1.0.0\n".
std::string VersionText(std::string_view program);

// For a command line that does not run the program: prints the help or the version on standard output and
// gives exit code 0, or prints the refusal on standard error and gives 2.
int AnswerCommandLine(CommandLineAction action, std::string_view program, const std::string& help,
                      const std::string& refusal);
