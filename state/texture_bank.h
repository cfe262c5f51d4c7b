// TextureBank: the GL texture names of the show by slot.
//
// Slots below kAbsoluteSlotBase are relative to `offset`, slots from it on are absolute; a slot that was
// never created holds 0 and so binds no texture.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kTextureSlotCount = 400000;
constexpr int kAbsoluteSlotBase = 85000;

struct TextureBank {
  std::vector<uint32_t> names = std::vector<uint32_t>(kTextureSlotCount, 0);
  int offset = 0;
  bool compression = true;
  bool mipmaps = false;
};
