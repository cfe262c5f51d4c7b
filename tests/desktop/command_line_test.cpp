#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/data_dir.h"
#include "desktop/command_line.h"

namespace {

CommandLine Parse(const std::vector<const char*>& arguments) {
  return ParseCommandLine(arguments);
}

TEST(CommandLine, WithoutOptionsTheDialogComesFirstWithItsDefaults) {
  const CommandLine line = Parse({});
  EXPECT_EQ(line.action, CommandLineAction::Run);
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
  ASSERT_EQ(line.action, CommandLineAction::Run) << line.refusal;
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
  EXPECT_EQ(Parse({"--help"}).action, CommandLineAction::PrintHelp);
  EXPECT_EQ(Parse({"--no-dialog", "-h"}).action, CommandLineAction::PrintHelp);
  EXPECT_EQ(Parse({"--version"}).action, CommandLineAction::PrintVersion);
  EXPECT_EQ(Parse({"-V", "--help"}).action, CommandLineAction::PrintHelp);
  EXPECT_NE(UsageText().find("--from SECONDS"), std::string::npos);
  EXPECT_EQ(VersionText("velmora").rfind("velmora ", 0), 0u);
}

// Each refusal is one line naming the option and its value and pointing at --help.
TEST(CommandLine, BadOptionsAndValuesAreRefusedByName) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"--fast"}, "unknown option --fast"},
      {{"-q"}, "unknown option -q"},
      {{"--f"}, "--f is ambiguous: --fullscreen, --force-16-9 or --from"},
      {{"--size"}, "--size needs a value"},
      {{"--size", "1280"}, "--size takes WIDTHxHEIGHT from 1x1 to 7680x7680, such as 1280x720, not '1280'"},
      {{"--size", "-5x10"}, "not '-5x10'"},
      {{"--size=7681x720"}, "not '7681x720'"},
      {{"--from", "-0.5"},
       "--from takes seconds from 0 to just before 236.8, such as 200 or 3553/30, not '-0.5'"},
      {{"--from", "236.8"}, "not '236.8'"},
      {{"--from", "nan"}, "not 'nan'"},
      {{"--renderer", "fast"},
       "--renderer takes auto, batched, batched-es, batched-webgl or compat, not 'fast'"},
      {{"--no-music=1"}, "--no-music takes no value, not '1'"},
      {{"--windowed", "now"}, "unexpected argument 'now'"},
  };
  for (const auto& [arguments, named] : cases) {
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.action, CommandLineAction::Refuse) << arguments[0];
    EXPECT_EQ(line.refusal.rfind("velmora: ", 0), 0u) << line.refusal;
    EXPECT_NE(line.refusal.find(named + " (see velmora --help)"), std::string::npos) << line.refusal;
  }
  const CommandLine abbreviated =
      Parse({"--win", "--si", "640x360", "--fr=3553/30", "--rend", "batched-webgl"});
  ASSERT_EQ(abbreviated.action, CommandLineAction::Run) << abbreviated.refusal;
  EXPECT_EQ(abbreviated.options.size, (DisplayMode{640, 360}));
  EXPECT_EQ(abbreviated.options.renderer, RendererChoice::BatchedWebGl);
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
