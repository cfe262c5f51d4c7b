#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/data_dir.h"
#include "desktop/command_line.h"

namespace {

CommandLine Parse(const std::vector<const char*>& arguments) {
  std::vector<std::string> words = {"velmora"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return ParseCommandLine(int(words.size()), argv.data());
}

TEST(CommandLine, WithoutOptionsTheDialogComesFirstWithItsDefaults) {
  const CommandLine line = Parse({});
  EXPECT_EQ(line.action, LaunchAction::Run);
  EXPECT_TRUE(line.options.showDialog);
  EXPECT_TRUE(line.options.choice.music);
  EXPECT_FALSE(line.options.choice.windowed);
  EXPECT_FALSE(line.options.choice.forceWide);
  EXPECT_FALSE(line.options.size.has_value());
  EXPECT_FALSE(line.options.exclusive);
  EXPECT_EQ(line.options.from, 0.0);
}

TEST(CommandLine, OptionsChangeTheDialogsDefaults) {
  const CommandLine line = Parse({"--windowed", "--size", "1920x1080", "--force-16-9", "--no-music",
                                  "--no-dialog", "--from=3553/30", "--exclusive"});
  ASSERT_EQ(line.action, LaunchAction::Run) << line.error;
  EXPECT_FALSE(line.options.showDialog);
  EXPECT_FALSE(line.options.choice.music);
  EXPECT_TRUE(line.options.choice.windowed);
  EXPECT_TRUE(line.options.choice.forceWide);
  EXPECT_EQ(line.options.size, (DisplayMode{1920, 1080}));
  EXPECT_TRUE(line.options.exclusive);
  EXPECT_DOUBLE_EQ(line.options.from, 3553.0 / 30.0);
  EXPECT_FALSE(Parse({"--windowed", "--fullscreen"}).options.choice.windowed);  // the last one counts
}

TEST(CommandLine, HelpAndVersionWinOverRunning) {
  EXPECT_EQ(Parse({"--help"}).action, LaunchAction::PrintHelp);
  EXPECT_EQ(Parse({"--no-dialog", "-h"}).action, LaunchAction::PrintHelp);
  EXPECT_EQ(Parse({"--version"}).action, LaunchAction::PrintVersion);
  EXPECT_EQ(Parse({"-V", "--help"}).action, LaunchAction::PrintHelp);
  EXPECT_NE(UsageText().find("--from SECONDS"), std::string::npos);
  EXPECT_EQ(VersionText().rfind("velmora ", 0), 0u);
}

// Each refusal is one line naming the option and pointing at --help; a parse after a refusal starts afresh.
TEST(CommandLine, BadOptionsAndValuesAreRefusedByName) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"--fast"}, "unknown option --fast"},
      {{"-q"}, "unknown option -q"},
      {{"--size"}, "--size needs a value"},
      {{"--size", "1280"}, "'1280'"},
      {{"--size", "-5x10"}, "'-5x10'"},
      {{"--size", "7681x720"}, "'7681x720'"},
      {{"--from", "-0.5"}, "'-0.5'"},
      {{"--from", "236.8"}, "'236.8'"},
      {{"--from", "nan"}, "'nan'"},
      {{"--no-music=1"}, "--no-music takes no value"},
      {{"--windowed", "now"}, "unexpected argument 'now'"},
  };
  for (const auto& [arguments, named] : cases) {
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.action, LaunchAction::Refuse) << arguments[0];
    EXPECT_NE(line.error.find(named), std::string::npos) << line.error;
    EXPECT_NE(line.error.find("see velmora --help"), std::string::npos) << line.error;
    EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
  }
  EXPECT_EQ(Parse({"--windowed"}).action, LaunchAction::Run);
}

TEST(ShowData, TheEnvironmentAloneOrTheUsualPlacesInOrder) {
  const auto places = ShowDataCandidates("/opt/velmora/bin", "/home/someone", nullptr);
  ASSERT_EQ(places.size(), 4u);
  EXPECT_EQ(places[0], "/home/someone");
  EXPECT_EQ(places[1], "/opt/velmora/bin");
  EXPECT_EQ(places[2], "/opt/velmora");
  EXPECT_EQ(places[3].lexically_normal(), "/opt/velmora/share/velmora");
  EXPECT_EQ(ShowDataCandidates("/opt/velmora/bin", "/home/someone", "/data"),
            std::vector<std::filesystem::path>{"/data"});
  EXPECT_EQ(ShowDataCandidates("/opt/velmora/bin", "/home/someone", "").size(), 4u);
}

TEST(ShowData, TheFirstFolderWithTexturesIsTheOne) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("velmora-data-" + std::to_string(getpid()));
  fs::create_directories(root / "empty");
  fs::create_directories(root / "second" / "textures");
  fs::create_directories(root / "third" / "textures");
  EXPECT_EQ(FindShowData({root / "missing", root / "empty", root / "second", root / "third"}),
            root / "second");
  EXPECT_FALSE(FindShowData({root / "missing", root / "empty"}).has_value());
  fs::remove_all(root);
}

}  // namespace
