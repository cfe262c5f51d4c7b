// Textures from JPEG files into the texture bank, and binding by slot.
//
// Every loader decodes with the show's own decoder. A file that cannot be opened, whose header is rejected,
// or whose lines are not all delivered is reported with its path in a "Jpg !" box and the loader returns
// false; start-up then ends. Grey files are expanded to RGB. Slots are bank offsets for numbers below 85000
// and absolute from 85000 on; a slot outside the bank binds no texture and loads nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/messages.h"
#include "state/texture_bank.h"

// Binds the slot's texture (0 where none was created) to GL_TEXTURE_2D.
void BindTextureSlot(const TextureBank& bank, int slot);

// Linear minification and magnification on the bound 2D texture.
void SetLinearFilters();

// The picture as RGB bytes turned by 180 degrees: its top-left pixel is the buffer's last.
std::optional<std::vector<uint8_t>> LoadJpegRgb(MessageSink& messages, const std::string& path, int& width,
                                                int& height);

// An RGB texture from one file, rows bottom-up; up to 32 pixels wide stored as is, wider ones compressed by
// the driver. Leaves it bound.
bool LoadTexture(TextureBank& bank, MessageSink& messages, const std::string& path, int slot);

// An RGBA texture with the colour of one file and the alpha of another's green channel, compressed. The
// bottom row stays transparent black. Both files must have the same size. Leaves it bound.
bool LoadTexturePair(TextureBank& bank, MessageSink& messages, const std::string& colourPath,
                     const std::string& alphaPath, int slot);

// A size x size black RGB texture, a target for copies from the frame buffer. Leaves it bound.
void CreateBlankTexture(TextureBank& bank, int slot, int size);
