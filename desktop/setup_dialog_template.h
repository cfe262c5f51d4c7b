// The setup dialog's template: caption, font, and every control with its kind, text and place in dialog
// units, in tab order. The dialog code turns dialog units into pixels with the font's base units.
#pragma once

#include <array>
#include <string_view>

struct DialogUnitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class ControlKind { DefaultButton, Button, CheckBox, DropDownList, GroupBox };

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view text;
  DialogUnitRect rect;
};

constexpr int kIdRun = 1;
constexpr int kIdQuit = 2;
constexpr int kIdMusic = 1011;
constexpr int kIdWindowed = 1012;
constexpr int kIdForceWide = 1013;
constexpr int kIdResolution = 1014;
constexpr int kIdRehearse = 1015;
constexpr int kIdStatic = -1;

struct DialogTemplate {
  std::string_view caption;
  DialogUnitRect rect;
  std::string_view fontName;
  int fontPoints;
  std::array<ControlTemplate, 11> controls;
};

inline constexpr DialogTemplate kSetupDialogTemplate{
    "           Velmora by Oskel - 2008 ",
    {300, 300, 179, 104},
    "Arial",
    10,
    {{
        {kIdRun, ControlKind::DefaultButton, "Run ... ", {17, 77, 109, 21}},
        {kIdQuit, ControlKind::Button, "Quit", {135, 77, 24, 21}},
        {kIdMusic, ControlKind::CheckBox, "Music", {18, 37, 42, 15}},
        {kIdWindowed, ControlKind::CheckBox, "Windowed", {68, 37, 42, 15}},
        {kIdForceWide, ControlKind::CheckBox, "Force 16:9", {117, 37, 42, 15}},
        {kIdRehearse, ControlKind::CheckBox, "Rehearse (pause, seek, step)", {18, 56, 141, 13}},
        {kIdResolution, ControlKind::DropDownList, "", {16, 12, 144, 108}},
        {kIdStatic, ControlKind::GroupBox, "Resolution", {2, 3, 174, 28}},
        {kIdStatic, ControlKind::GroupBox, "", {2, 29, 174, 26}},
        {kIdStatic, ControlKind::GroupBox, "", {2, 53, 174, 18}},
        {kIdStatic, ControlKind::GroupBox, "", {2, 69, 174, 34}},
    }},
};

// Dialog base units of a font: the horizontal one from the width of "A...Za...z", the vertical one the
// font's line height, both in pixels.
struct DialogBaseUnits {
  int x;
  int y;
};

DialogBaseUnits BaseUnitsOfFont(int alphabetWidth, int lineHeight);

// Pixels from dialog units: 4 horizontal units per base unit x, 8 vertical units per base unit y, rounded.
DialogUnitRect DialogUnitsToPixels(DialogUnitRect units, DialogBaseUnits base);
