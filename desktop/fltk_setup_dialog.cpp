#include "desktop/fltk_setup_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "desktop/fltk_message_box.h"
#include "desktop/setup_dialog_template.h"

namespace {

constexpr Fl_Font kDialogFont = FL_FREE_FONT;
constexpr int kPixelsPerInch = 96;

// A group box: an etched frame whose top edge runs through the middle of its caption.
class GroupFrame : public Fl_Box {
 public:
  GroupFrame(int x, int y, int w, int h, std::string_view caption) : Fl_Box(x, y, w, h), caption_(caption) {}

  void draw() override {
    fl_font(labelfont(), labelsize());
    const int textHeight = fl_height();
    const int top = y() + textHeight / 2;
    fl_draw_box(FL_ENGRAVED_FRAME, x(), top, w(), h() - (top - y()), color());
    if (caption_.empty()) return;
    const int textX = x() + 7;
    fl_color(color());
    fl_rectf(textX - 2, y(), int(fl_width(caption_.c_str())) + 4, textHeight);
    fl_color(labelcolor());
    fl_draw(caption_.c_str(), textX, y() + textHeight - fl_descent());
  }

 private:
  std::string caption_;
};

// A flat push button; the default one carries a second, inner frame.
class FlatButton : public Fl_Button {
 public:
  FlatButton(int x, int y, int w, int h, bool isDefault) : Fl_Button(x, y, w, h), isDefault_(isDefault) {
    box(FL_BORDER_BOX);
    down_box(FL_BORDER_BOX);
    selection_color(FL_DARK2);
  }

  void draw() override {
    Fl_Button::draw();
    if (isDefault_) fl_rect(x() + 1, y() + 1, w() - 2, h() - 2, FL_BLACK);
  }

 private:
  bool isDefault_;
};

DialogBaseUnits MeasureBaseUnits(int fontPixels) {
  fl_font(kDialogFont, fontPixels);
  const int alphabetWidth = int(fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") + 0.5);
  return BaseUnitsOfFont(alphabetWidth, fl_height());
}

struct DialogWidgets {
  Fl_Button* run = nullptr;
  Fl_Button* quit = nullptr;
  Fl_Check_Button* music = nullptr;
  Fl_Check_Button* windowed = nullptr;
  Fl_Check_Button* forceWide = nullptr;
  Fl_Check_Button* rehearse = nullptr;
  Fl_Choice* resolution = nullptr;
};

template <typename Widget>
Widget* Styled(Widget* widget, int fontPixels) {
  widget->labelfont(kDialogFont);
  widget->labelsize(fontPixels);
  return widget;
}

// Creates the template's controls inside the current window: the frames first, so that they are drawn
// beneath the controls, then the controls in tab order.
DialogWidgets BuildControls(DialogBaseUnits base, int fontPixels) {
  DialogWidgets widgets;
  for (const ControlTemplate& control : kSetupDialogTemplate.controls) {
    if (control.kind != ControlKind::GroupBox) continue;
    const DialogUnitRect r = DialogUnitsToPixels(control.rect, base);
    Styled(new GroupFrame(r.x, r.y, r.width, r.height, control.text), fontPixels);
  }
  for (const ControlTemplate& control : kSetupDialogTemplate.controls) {
    DialogUnitRect r = DialogUnitsToPixels(control.rect, base);
    switch (control.kind) {
      case ControlKind::DefaultButton:
      case ControlKind::Button: {
        const bool isDefault = control.kind == ControlKind::DefaultButton;
        auto* button = Styled(new FlatButton(r.x, r.y, r.width, r.height, isDefault), fontPixels);
        button->copy_label(std::string(control.text).c_str());
        (control.id == kIdRun ? widgets.run : widgets.quit) = button;
        break;
      }
      case ControlKind::CheckBox: {
        auto* box = Styled(new Fl_Check_Button(r.x, r.y, r.width, r.height), fontPixels);
        box->copy_label(std::string(control.text).c_str());
        if (control.id == kIdMusic) widgets.music = box;
        if (control.id == kIdWindowed) widgets.windowed = box;
        if (control.id == kIdForceWide) widgets.forceWide = box;
        if (control.id == kIdRehearse) widgets.rehearse = box;
        break;
      }
      case ControlKind::DropDownList: {
        // The template's height is that of the open list; the closed control is one line of text high.
        r.height = fl_height() + 8;
        auto* choice = Styled(new Fl_Choice(r.x, r.y, r.width, r.height), fontPixels);
        choice->textfont(kDialogFont);
        choice->textsize(fontPixels);
        choice->down_box(FL_BORDER_BOX);
        widgets.resolution = choice;
        break;
      }
      case ControlKind::GroupBox:
        break;
    }
  }
  return widgets;
}

}  // namespace

std::optional<SetupDialogResult> RunSetupDialog(const std::vector<std::string>& labels, size_t defaultIndex,
                                                const SetupChoice& initial) {
  if (!X11DisplayReachable()) {
    std::fprintf(stderr, "The setup dialog cannot be shown: no X11 display (DISPLAY=%s)\n",
                 std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
    return std::nullopt;
  }
  fl_open_display();

  static const std::string fontName(kSetupDialogTemplate.fontName);  // FLTK keeps the pointer
  Fl::set_font(kDialogFont, fontName.c_str());
  const int fontPixels = (kSetupDialogTemplate.fontPoints * kPixelsPerInch + 36) / 72;
  const DialogBaseUnits base = MeasureBaseUnits(fontPixels);
  const DialogUnitRect size = DialogUnitsToPixels(kSetupDialogTemplate.rect, base);

  Fl_Double_Window window(size.width, size.height);
  window.copy_label(std::string(kSetupDialogTemplate.caption).c_str());
  const DialogWidgets widgets = BuildControls(base, fontPixels);
  window.end();

  for (const std::string& label : labels) widgets.resolution->add(label.c_str(), 0, nullptr, nullptr, 0);
  if (!labels.empty()) widgets.resolution->value(int(std::min(defaultIndex, labels.size() - 1)));
  widgets.music->value(initial.music);
  widgets.windowed->value(initial.windowed);
  widgets.forceWide->value(initial.forceWide);
  widgets.rehearse->value(initial.rehearse);

  bool run = false;
  auto close = [](Fl_Widget*, void* window) { static_cast<Fl_Window*>(window)->hide(); };
  widgets.run->shortcut(FL_Enter);
  widgets.run->callback(
      [](Fl_Widget* button, void* ran) {
        *static_cast<bool*>(ran) = true;
        button->window()->hide();
      },
      &run);
  widgets.quit->callback(close, &window);
  window.callback(close, &window);  // Escape and the close box

  window.position((Fl::w() - size.width) / 2, (Fl::h() - size.height) / 2);
  window.set_modal();
  window.show();
  while (window.shown()) Fl::wait();
  Fl::flush();

  if (!run) return std::nullopt;
  const int selected = widgets.resolution->value();
  return SetupDialogResult{{widgets.music->value() != 0, widgets.windowed->value() != 0,
                            widgets.forceWide->value() != 0, widgets.rehearse->value() != 0},
                           selected < 0 ? size_t{0} : size_t(selected)};
}
