// Key codes of the keyDown table: the Windows virtual-key numbering the show's key handling was made for.
#pragma once

constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkPageUp = 0x21;
constexpr int kVkPageDown = 0x22;
constexpr int kVkEnd = 0x23;
constexpr int kVkHome = 0x24;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;
constexpr int kVkDigit0 = 0x30;   // '0' ... '9'
constexpr int kVkLetterA = 0x41;  // 'A' ... 'Z'
constexpr int kVkF1 = 0x70;       // F1 ... F24
