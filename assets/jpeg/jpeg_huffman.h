// Huffman tables and the decoding of one sequential block.
#pragma once

#include "assets/jpeg/jpeg_state.h"

// Builds the decode tables; false when the counts ask for more codes than a length can hold.
bool JpegBuildHuffmanTable(JpegHuffmanTable& table, const uint8_t counts[16], const uint8_t* symbols,
                           int32_t total);

// Decodes one block into an all-zero one. Returns the highest zig-zag index written, 0 for a DC-only
// block.
int32_t JpegDecodeBlock(JpegState& s, int16_t* block, JpegComponent& c, const JpegHuffmanTable& dc,
                        const JpegHuffmanTable& ac);
