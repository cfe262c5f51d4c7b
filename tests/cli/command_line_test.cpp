// Command lines split the GNU way, the one shape every refusal takes, and the layout of the help texts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/help_text.h"
#include "cli/option_values.h"

namespace {

enum Option { kSize, kFps, kFrom, kTo, kTop, kQuiet };
constexpr OptionSpec kOptions[] = {{"size", kSize, true}, {"fps", kFps, true},  {"from", kFrom, true},
                                   {"to", kTo, true},     {"top", kTop, false}, {"quiet", kQuiet, false}};

OptionWords Split(const std::vector<const char*>& arguments) {
  return SplitCommandLine(arguments, kOptions);
}

// "--size=1x1" style pairs of each option word, for comparing whole splits.
std::string Written(const OptionWords& words) {
  std::string text;
  for (const OptionWord& word : words.options) text += word.name + "=" + word.value + " ";
  for (const std::string& operand : words.operands) text += "[" + operand + "] ";
  return text;
}

TEST(CommandLineWords, ValuesJoinedOrApartAbbreviationsAndOperandsAnywhere) {
  const OptionWords words = Split({"a.png", "--size", "1x1", "--fps=30", "--si=2x2", "--fr", "-1", "b.png"});
  EXPECT_EQ(words.action, CommandLineAction::Run) << words.refusal;
  EXPECT_EQ(Written(words), "--size=1x1 --fps=30 --size=2x2 --from=-1 [a.png] [b.png] ");
  EXPECT_EQ(Written(Split({"--to", "5", "--top"})), "--to=5 --top= ");  // a whole name is no abbreviation
  EXPECT_EQ(Written(Split({"--quiet", "--", "--size", "-"})), "--quiet= [--size] [-] ");
  EXPECT_EQ(Written(Split({"--size", "--fps"})), "--size=--fps ");  // a value may begin with a dash
  EXPECT_EQ(Written(Split({"--size="})), "--size= ");
}

TEST(CommandLineWords, HelpWinsOverTheVersionInAnyForm) {
  EXPECT_EQ(Split({"--version"}).action, CommandLineAction::PrintVersion);
  EXPECT_EQ(Split({"-V", "out.png"}).action, CommandLineAction::PrintVersion);
  EXPECT_EQ(Split({"--vers", "--he"}).action, CommandLineAction::PrintHelp);
  EXPECT_EQ(Split({"-Vh"}).action, CommandLineAction::PrintHelp);
  EXPECT_EQ(Split({"--quiet", "-h"}).action, CommandLineAction::PrintHelp);
}

TEST(CommandLineWords, TheFirstWordThatCannotBeSplitIsNamed) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> refused = {
      {{"--speed", "2"}, "unknown option --speed"},
      {{"-q"}, "unknown option -q"},
      {{"-hx"}, "unknown option -x"},
      {{"--=5"}, "unknown option --"},
      {{"--f", "1"}, "--f is ambiguous: --fps or --from"},
      {{"--t"}, "--t is ambiguous: --to or --top"},
      {{"out.png", "--size"}, "--size needs a value"},
      {{"--quiet=yes"}, "--quiet takes no value, not 'yes'"},
      {{"--help=me"}, "--help takes no value, not 'me'"},
      {{"--fps", "30", "--bad", "--worse"}, "unknown option --bad"},
  };
  for (const auto& [arguments, reason] : refused) {
    const OptionWords words = Split(arguments);
    EXPECT_EQ(words.action, CommandLineAction::Refuse) << reason;
    EXPECT_EQ(words.refusal, reason);
  }
  EXPECT_EQ(Split({"--fps", "30", "--bad"}).options.size(), 1u);  // the words before it stay read
}

struct Settings {
  int fps = 30;
  std::string output;
};

ParsedCommandLine<Settings> Read(const std::vector<const char*>& arguments) {
  const auto readOption = [](const OptionWord& word, Settings& settings) {
    return word.id == kFps ? ReadValue(word, kFrameRates, settings.fps) : std::string();
  };
  const auto readOperands = [](const std::vector<std::string>& operands, Settings& settings) {
    return OneOutput(operands, "OUT.png", settings.output);
  };
  return ReadCommandLine<Settings>("velmora-frame", arguments, kOptions, readOption, readOperands);
}

// One line, naming the option and the value, pointing at the program's help.
TEST(CommandLineRefusals, OneLineNamingTheValueAndTheHelp) {
  EXPECT_EQ(Read({"--fps", "0", "out.png"}).refusal,
            "velmora-frame: --fps takes a whole number from 1 to 240, not '0' (see velmora-frame --help)");
  EXPECT_EQ(Read({}).refusal, "velmora-frame: no output given (OUT.png) (see velmora-frame --help)");
  EXPECT_EQ(Read({"a.png", "b.png"}).refusal,
            "velmora-frame: more than one output given ('a.png', 'b.png') (see velmora-frame --help)");
  EXPECT_EQ(Read({"a\nb\x1b", "c"}).refusal,
            "velmora-frame: more than one output given ('a\\nb\\x1b', 'c') (see velmora-frame --help)");
  EXPECT_EQ(Read({""}).refusal,
            "velmora-frame: the output must be OUT.png, not '' (see velmora-frame --help)");
  // A bad value before a bad word is the one named; help does not excuse either, but needs no output.
  EXPECT_NE(Read({"--fps=0", "--bad"}).refusal.find("'0'"), std::string::npos);
  EXPECT_EQ(Read({"--help", "--fps", "0"}).action, CommandLineAction::Refuse);
  EXPECT_EQ(Read({"--help", "--bad"}).refusal,
            "velmora-frame: unknown option --bad (see velmora-frame --help)");
  EXPECT_EQ(Read({"--help"}).action, CommandLineAction::PrintHelp);
  const auto good = Read({"--fps", "240", "out.png"});
  EXPECT_EQ(good.action, CommandLineAction::Run);
  EXPECT_EQ(good.options.fps, 240);
  EXPECT_EQ(good.options.output, "out.png");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// Within 80 columns, every word kept, each option's text in one column and a long option alone on its line.
TEST(HelpText, OptionsInTwoColumnsWrappedTo80) {
  const std::string sentence =
      "the picture's size, " + kShowSizes.Range() +
      ", which the show draws at and scales to fit the screen or window, keeping its "
      "shape with black bars where the shapes differ";
  const auto lines =
      Lines(HelpOptions({{"--size WxH", sentence}, {"--a-very-long-option-name VALUE", "short"}}));
  ASSERT_GE(lines.size(), 6u);
  const size_t column = lines[0].find("the picture's");
  EXPECT_EQ(lines[0].substr(0, column), "  --size WxH" + std::string(column - 12, ' '));
  std::string joined = lines[0].substr(column);
  size_t i = 1;
  for (; lines[i].find_first_not_of(' ') == column; ++i) joined += " " + lines[i].substr(column);
  EXPECT_EQ(joined, sentence);
  EXPECT_GT(i, 2u);  // wrapped more than once
  EXPECT_EQ(lines[i], "  --a-very-long-option-name VALUE");
  EXPECT_EQ(lines[i + 1], std::string(column, ' ') + "short");
  EXPECT_EQ(lines[i + 2].substr(0, column + 4), "  -h, --help" + std::string(column - 12, ' ') + "show");
  for (const std::string& line : lines) EXPECT_LE(line.size(), 80u) << line;

  const std::string word(90, 'a');  // a word longer than a line has a line of its own
  EXPECT_EQ(Lines(HelpParagraph("a " + word + " b")), (std::vector<std::string>{"a", word, "b"}));
}

}  // namespace
