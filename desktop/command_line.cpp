#include "desktop/command_line.h"

#include <getopt.h>

#include "cli/number_text.h"
#include "cli/option_values.h"
#include "timing/frame_timing.h"

namespace {

constexpr int kLargestSide = 7680;

enum Option {
  kHelp = 'h',
  kVersion = 'V',
  kWindowed = 256,
  kFullscreen,
  kSize,
  kForceWide,
  kNoMusic,
  kNoDialog,
  kFrom,
  kExclusive,
  kRenderer,
};

constexpr option kOptions[] = {
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {"windowed", no_argument, nullptr, kWindowed},
    {"fullscreen", no_argument, nullptr, kFullscreen},
    {"size", required_argument, nullptr, kSize},
    {"force-16-9", no_argument, nullptr, kForceWide},
    {"no-music", no_argument, nullptr, kNoMusic},
    {"no-dialog", no_argument, nullptr, kNoDialog},
    {"from", required_argument, nullptr, kFrom},
    {"exclusive", no_argument, nullptr, kExclusive},
    {"renderer", required_argument, nullptr, kRenderer},
    {nullptr, 0, nullptr, 0},
};

CommandLine Refuse(std::string error) {
  CommandLine refused;
  refused.action = LaunchAction::Refuse;
  refused.error = std::move(error) + " (see velmora --help)";
  return refused;
}

// The option getopt has just refused, as the user wrote it: "--size" from the word it was parsing, or "-x"
// (short options may come bundled in one word).
std::string RefusedOption(const char* word) {
  const std::string written = word;
  if (written.rfind("--", 0) == 0) return written.substr(0, written.find('='));
  return std::string("-") + char(optopt);
}

}  // namespace

CommandLine ParseCommandLine(int argc, char** argv) {
  CommandLine line;
  LaunchOptions& options = line.options;
  opterr = 0;  // the messages are ours
  optind = 0;  // starts getopt afresh, so that it can parse more than one command line
  for (;;) {
    const char* word = argv[optind ? optind : 1];
    const int option = getopt_long(argc, argv, "+:hV", kOptions, nullptr);
    if (option == -1) break;
    const std::string value = optarg ? optarg : "";
    switch (option) {
      case kHelp:
        line.action = LaunchAction::PrintHelp;
        break;
      case kVersion:
        if (line.action == LaunchAction::Run) line.action = LaunchAction::PrintVersion;
        break;
      case kWindowed:
        options.choice.windowed = true;
        break;
      case kFullscreen:
        options.choice.windowed = false;
        break;
      case kSize: {
        const auto size = ParsePictureSize(value);
        if (!size || size->width < 1 || size->height < 1 || size->width > kLargestSide ||
            size->height > kLargestSide) {
          return Refuse("--size takes WIDTHxHEIGHT from 1x1 to 7680x7680, such as 1280x720, not '" + value +
                        "'");
        }
        options.size = DisplayMode{size->width, size->height};
        break;
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
      case kFrom: {
        const auto from = ParseFraction(value.c_str());
        if (!from || *from < 0 || *from >= kShowEnd) {
          return Refuse(
              "--from takes seconds from 0 up to the show's end at 236.8, such as 200 or 3553/30, not '" +
              value + "'");
        }
        options.from = *from;
        break;
      }
      case kExclusive:
        options.exclusive = true;
        break;
      case kRenderer: {
        const auto renderer = ParseRendererChoice(value);
        if (!renderer)
          return Refuse("--renderer takes auto, batched, batched-es, batched-webgl or compat, not '" + value +
                        "'");
        options.renderer = *renderer;
        break;
      }
      case ':':
        return Refuse(RefusedOption(word) + " needs a value");
      default: {
        const std::string name = RefusedOption(word);
        const bool known = optopt && name.rfind("--", 0) == 0;  // a value given to an option that takes none
        return Refuse(known ? name + " takes no value" : "unknown option " + name);
      }
    }
  }
  if (optind < argc) return Refuse("unexpected argument '" + std::string(argv[optind]) + "'");
  return line;
}

std::string UsageText() {
  return "Usage: velmora [OPTION]...\n"
         "Plays Velmora, a four-minute real-time show of music and OpenGL scenes, then quits by itself.\n"
         "Without options it first shows the setup dialog (resolution, music, windowed, 16:9).\n"
         "\n"
         "  --windowed           play in a window\n"
         "  --fullscreen         play on the whole screen (the default), keeping the desktop's display "
         "mode;\n"
         "                       the picture is drawn at the chosen size and scaled to fit\n"
         "  --exclusive          in full screen, switch the display to the chosen size while the show plays\n"
         "  --size WIDTHxHEIGHT  the picture's size (and the window's), such as 1920x1080\n"
         "  --force-16-9         a 16:9 picture whatever the size's shape\n"
         "  --no-music           play in silence\n"
         "  --no-dialog          start at once with the dialog's choices as these options set them\n"
         "  --from SECONDS       start at that moment of the show (0 to 236.8, fractions such as 3553/30\n"
         "                       allowed), for rehearsing one scene\n"
         "  --renderer R         auto (the default: the batched renderer on OpenGL 3.3 core where it can\n"
         "                       be made, else the compatibility profile), batched, batched-es (OpenGL ES\n"
         "                       3.0), batched-webgl (ES 3.0 drawn as in a browser) or compat\n"
         "  -h, --help           show this help and exit\n"
         "  -V, --version        show the version and exit\n"
         "\n"
         "Keys: Escape ends the show with a short fade; a middle click notes the camera's position, which "
         "is\n"
         "put on the clipboard when the show is left with Escape.\n"
         "\n"
         "The show's files (textures/, music/) are looked for in $VELMORA_DATA_DIR when it is set, "
         "otherwise\n"
         "in the working directory, beside the program and in ../share/velmora beside it.\n"
         "\n"
         "Exit status: 0 when the show ends or is left (also after the message about a file of the show\n"
         "that cannot be read), 1 when the show's files are not found or the sound cannot be started, 2 for\n"
         "a command line that cannot be used.\n";
}

std::string VersionText() {
  return "velmora " VELMORA_VERSION "\n";
}
