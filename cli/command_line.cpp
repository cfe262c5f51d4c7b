#include "cli/command_line.h"

#include <cstdio>

std::string RefusalLine(std::string_view program, std::string_view reason) {
  const std::string name(program);
  std::string line = name + ": ";
  for (const char c : reason) {
    if (c == '\n') {
      line += "\\n";
    } else if ((c >= 0 && c < ' ') || c == '\x7f') {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(c));
      line += escaped;
    } else {
      line += c;
    }
  }
  return line + " (see " + name + " --help)";
}

std::string RefusedValue(std::string_view option, std::string_view takes, std::string_view value) {
  return std::string(option) + " takes " + std::string(takes) + ", not '" + std::string(value) + "'";
}

std::string NoOperands(const std::vector<std::string>& operands) {
  return operands.empty() ? "" : "unexpected argument '" + operands[0] + "'";
}

std::string OneOutput(const std::vector<std::string>& operands, std::string_view what, std::string& output) {
  if (operands.empty()) return "no output given (" + std::string(what) + ")";
  if (operands.size() > 1) return "more than one output given ('" + operands[0] + "', '" + operands[1] + "')";
  if (operands[0].empty()) return "the output must be " + std::string(what) + ", not ''";
  output = operands[0];
  return "";
}

std::string VersionText(std::string_view program) {
  return std::string(program) + " " VELMORA_VERSION "\n";
}

int AnswerCommandLine(CommandLineAction action, std::string_view program, const std::string& help,
                      const std::string& refusal) {
  switch (action) {
    case CommandLineAction::PrintHelp:
      std::fputs(help.c_str(), stdout);
      return 0;
    case CommandLineAction::PrintVersion:
      std::fputs(VersionText(program).c_str(), stdout);
      return 0;
    case CommandLineAction::Refuse:
    case CommandLineAction::Run:
      break;
  }
  std::fprintf(stderr, "%s\n", refusal.c_str());
  return 2;
}
