// A command line split the GNU way into options and operands, before any value is read: "--name VALUE" and
// "--name=VALUE", any unambiguous beginning of a name ("--fr" for --from), -h/--help and -V/--version
// (which every program has), operands before, between and after the options, and "--" before operands that
// begin with a dash.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

struct OptionSpec {
  std::string_view name;  // written --name
  int id;                 // the program's own number for it
  bool takesValue = false;
};

enum class CommandLineAction { Run, PrintHelp, PrintVersion, Refuse };

struct OptionWord {
  int id = 0;
  std::string name;  // the option's whole name, "--size", however it was written
  std::string value;
};

struct OptionWords {
  CommandLineAction action = CommandLineAction::Run;  // help wins over the version; Refuse for a bad word
  std::vector<OptionWord> options;                    // in the order given (up to a bad word)
  std::vector<std::string> operands;
  std::string refusal;  // for Refuse: what is wrong, in one line, such as "unknown option --fast"
};

// Splits the words after the program's name. The first word that cannot be split (an unknown or ambiguous
// option, a missing value, a value for an option that takes none) ends the split with the reason.
OptionWords SplitCommandLine(std::span<const char* const> arguments, std::span<const OptionSpec> options);
