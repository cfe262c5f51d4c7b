// Every message box of the program: text, caption and icon in one table.
//
// MessageSink is how the core shows them: the desktop program shows a real box and prints to standard error,
// the tools without a display print them (StderrMessageSink), tests record what would have been shown.
#pragma once

#include <string>
#include <string_view>

enum class MessageIcon { Information, Exclamation, Stop };

struct MessageText {
  std::string_view text;
  std::string_view caption;
  MessageIcon icon;
};

namespace messages {

using enum MessageIcon;

// Opening the window
inline constexpr MessageText kRegisterClassFailed{"Failed To Register The Window Class.", "ERROR",
                                                  Exclamation};
inline constexpr MessageText kFullscreenUnsupported{
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
    "Oskel GL ;-)", Exclamation};
inline constexpr MessageText kProgramWillClose{"Program Will Now Close.", "ERROR", Stop};
inline constexpr MessageText kWindowCreationError{"Window Creation Error.", "ERROR", Exclamation};
inline constexpr MessageText kNoDeviceContext{"Can't Create A GL Device Context.", "ERROR", Exclamation};
inline constexpr MessageText kNoPixelFormat{"Can't Find A Suitable PixelFormat.", "ERROR", Exclamation};
inline constexpr MessageText kSetPixelFormatFailed{"Can't Set The PixelFormat.", "ERROR", Exclamation};
inline constexpr MessageText kCreateContextFailed{"Can't Create A GL Rendering Context.", "ERROR",
                                                  Exclamation};
inline constexpr MessageText kActivateContextFailed{"Can't Activate The GL Rendering Context.", "ERROR",
                                                    Exclamation};
inline constexpr MessageText kInitializationFailed{"Initialization Failed.", "ERROR", Exclamation};

// Closing the window
inline constexpr MessageText kReleaseContextFailed{"Release Of DC And RC Failed.", "SHUTDOWN ERROR",
                                                   Information};
inline constexpr MessageText kDeleteContextFailed{"Release Rendering Context Failed.", "SHUTDOWN ERROR",
                                                  Information};
inline constexpr MessageText kReleaseWindowFailed{"Could Not Release hWnd.", "SHUTDOWN ERROR", Information};

// Start-up
inline constexpr MessageText kNoFsaa{
    "Graphics card does not support FSAA. \n I'll try to disable FSAA and let you watch the demo. \n Proceed "
    "at "
    "your own risk.",
    "  = Velmora Oskel 2008 = ", Information};
inline constexpr MessageText kNoOffscreenTarget{
    "This graphics driver offers no framebuffer objects, so the show cannot be drawn.", "ERROR", Exclamation};
inline constexpr MessageText kSlowGraphicsCard{
    "Slow graphics card present. \n \n The demo will NOT play properly \n Proceed at your own risk.",
    "  = Hollowmere. Oskel 2006 = ", Information};
inline constexpr MessageText kSoundInitFailed{"Problem initializing FMod. \nProgram will now exit.",
                                              "Velmra  ", Information};
inline constexpr MessageText kNoSoundFile{"Problem initializing FMod. \nNo sound file.", "Velmra  ",
                                          Information};

}  // namespace messages

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const MessageText& message) = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(const MessageText& message) = 0;
};

// Prints a message to standard error: caption, then text.
void PrintMessage(const MessageText& message);

// For programs without a display: every message only goes to standard error, and questions count as No.
class StderrMessageSink : public MessageSink {
 public:
  void Show(const MessageText& message) override;
  bool AskYesNo(const MessageText& message) override;
};
