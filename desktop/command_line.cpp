#include "desktop/command_line.h"

#include "cli/help_text.h"
#include "cli/option_values.h"

namespace {

enum Option {
  kWindowed,
  kFullscreen,
  kSize,
  kForceWide,
  kNoMusic,
  kNoDialog,
  kFrom,
  kExclusive,
  kRenderer,
  kRehearse
};

constexpr OptionSpec kOptions[] = {
    {"windowed", kWindowed},    {"fullscreen", kFullscreen}, {"size", kSize, true},
    {"force-16-9", kForceWide}, {"no-music", kNoMusic},      {"no-dialog", kNoDialog},
    {"from", kFrom, true},      {"exclusive", kExclusive},   {"renderer", kRenderer, true},
    {"rehearse", kRehearse},
};

std::string ReadOption(const OptionWord& word, LaunchOptions& options) {
  switch (Option(word.id)) {
    case kWindowed:
      options.choice.windowed = true;
      break;
    case kFullscreen:
      options.choice.windowed = false;
      break;
    case kSize: {
      PictureSize size;
      const std::string refused = ReadValue(word, kShowSizes, size);
      if (refused.empty()) options.size = DisplayMode{size.width, size.height};
      return refused;
    }
    case kForceWide:
      options.choice.forceWide = true;
      break;
    case kNoMusic:
      options.choice.music = false;
      break;
    case kNoDialog:
      options.showDialog = false;
      break;
    case kFrom:
      return ReadValue(word, kShowStarts, options.from);
    case kExclusive:
      options.exclusive = true;
      break;
    case kRenderer:
      return ReadValue(word, AllRenderers(), options.renderer);
    case kRehearse:
      options.choice.rehearse = true;
      break;
  }
  return "";
}

std::string ReadOperands(const std::vector<std::string>& operands, LaunchOptions&) {
  return NoOperands(operands);
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
  return ReadCommandLine<LaunchOptions>("velmora", arguments, kOptions, ReadOption, ReadOperands);
}

std::string UsageText() {
  return "Usage: velmora [OPTION]...\n" +
         HelpParagraph(
             "Plays Velmora, a four-minute real-time show of music and OpenGL scenes, then quits by "
             "itself. Without options it first shows the setup dialog (resolution, music, windowed, "
             "16:9).") +
         "\n" +
         HelpOptions({
             {"--windowed", "play in a window"},
             {"--fullscreen",
              "play on the whole screen (the default), keeping the desktop's display mode; the picture is "
              "drawn at the chosen size and scaled to fit"},
             {"--exclusive", "in full screen, switch the display to the chosen size while the show plays"},
             {"--size WIDTHxHEIGHT",
              "the picture's size (and the window's), " + kShowSizes.Range() + ", such as 1920x1080"},
             {"--force-16-9", "a 16:9 picture whatever the size's shape"},
             {"--no-music", "play in silence"},
             {"--no-dialog", "start at once with the dialog's choices as these options set them"},
             {"--from SECONDS", "start at that moment of the show, " + kShowStarts.Range() +
                                    " (the show's end; fractions such as 3553/30 allowed), for rehearsing "
                                    "one scene"},
             {"--rehearse", "rehearsal mode: the viewer controls the show's time (keys below)"},
             {"--renderer R",
              AllRenderers().Takes() +
                  ": auto (the default) takes the batched renderer on OpenGL 3.3 core where it "
                  "can be made, else the compatibility profile (compat); batched-es draws on "
                  "OpenGL ES 3.0, batched-webgl on ES 3.0 as in a browser"},
         }) +
         "\n" +
         HelpParagraph(
             "Keys: Escape ends the show with a short fade; a middle click notes the camera's "
             "position, which is put on the clipboard when the show is left with Escape.") +
         "\n" +
         HelpParagraph(
             "Keys in rehearsal mode: Space pauses and resumes; Left and Right jump 1 second back and "
             "forward, Page Down and Page Up 10 seconds; Home goes to the start, End to 5 seconds before "
             "the end; while paused, Down and Up step one frame (1/60 s) back and forward; S writes the "
             "picture to velmora-CLOCK.png in the working directory (CLOCK: the demo clock in seconds, to "
             "the millisecond); T shows or hides an overlay with the demo clock, the show time, the frames "
             "a second and the timeline rows drawn.") +
         "\n" +
         HelpParagraph(
             "The show's files (textures/, music/) are looked for in $VELMORA_DATA_DIR when it is "
             "set, otherwise in the working directory, beside the program and in ../share/velmora "
             "beside it.") +
         "\n" +
         HelpParagraph(
             "Exit status: 0 when the show ends or is left (also after the message about a file of "
             "the show that cannot be read), 1 when the show's files are not found or the sound "
             "cannot be started, 2 for a command line that cannot be used.");
}
