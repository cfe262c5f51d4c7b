// The decoder's state and status codes, shared by its stages. Users include jpeg_decoder.h.
#pragma once

#include <csetjmp>
#include <cstdint>

class JpegInputStream;

// Every status code with its meaning, in one table.
#define VELMORA_JPEG_STATUS_TABLE(X)                                                                     \
  X(kJpegOk, 0, "no error")                                                                              \
  X(kJpegFailed, -1, "operation on a failed decoder, or decodeLine before beginDecoding")                \
  X(kJpegHuffmanCounts, -200, "DHT: the code counts add up to more than 255 or overflow the code space") \
  X(kJpegHuffmanSlot, -201, "DHT: table slot 8 or above")                                                \
  X(kJpegHuffmanLength, -202, "DHT: segment length below 2 or too short for its tables")                 \
  X(kJpegQuantLength, -203, "DQT: segment length below 2")                                               \
  X(kJpegQuantIndex, -204, "DQT: table index 4 or above")                                                \
  X(kJpegPrecision, -205, "SOF: sample precision other than 8")                                          \
  X(kJpegHeight, -206, "SOF: height 0 or above 8192")                                                    \
  X(kJpegWidth, -207, "SOF: width 0 or above 8192")                                                      \
  X(kJpegComponentLimit, -208, "SOF: more than 4 components")                                            \
  X(kJpegFrameLength, -209, "SOF: length not 8 + 3 x components")                                        \
  X(kJpegSegmentLength, -210, "a skipped marker segment declares a length below 2")                      \
  X(kJpegRestartLength, -211, "DRI: length not 4")                                                       \
  X(kJpegScanLength, -212, "SOS: length and component count disagree, or count outside 1..4")            \
  X(kJpegScanComponent, -213, "SOS: component id not in the frame")                                      \
  X(kJpegArithmetic, -215, "arithmetic coding is not supported")                                         \
  X(kJpegUnexpectedMarker, -216, "unexpected marker, or no scan in a sequential image")                  \
  X(kJpegNoSoi, -217, "no SOI marker within the first 512 bytes, or SOI not followed by 0xFF")           \
  X(kJpegFrameType, -218, "frame type other than baseline, extended sequential or progressive")          \
  X(kJpegQuantTooShort, -219, "DQT: segment too short for its table")                                    \
  X(kJpegTooManyBlocks, -221, "more than 100 memory blocks requested")                                   \
  X(kJpegUndefinedQuant, -222, "a scan component uses an undefined quantisation table")                  \
  X(kJpegUndefinedHuffman, -223, "a scan needs a Huffman table that was never defined")                  \
  X(kJpegComponentCount, -225, "component count other than 1 or 3")                                      \
  X(kJpegSampling, -226, "sampling factors outside the supported layouts")                               \
  X(kJpegCorruptData, -227, "corrupt entropy-coded data")                                                \
  X(kJpegBadRestart, -228, "bad or missing restart marker")                                              \
  X(kJpegBlockRange, -229, "too many blocks per MCU row, or a block address outside its buffer")         \
  X(kJpegSpectralSelection, -230, "progressive scan with an invalid spectral selection")                 \
  X(kJpegApproximation, -231, "progressive refinement scan whose Al is not Ah - 1")                      \
  X(kJpegReadFailed, -232, "the input stream failed")                                                    \
  X(kJpegOutOfMemory, -233, "a memory allocation failed")

enum JpegStatus : int32_t {
#define VELMORA_JPEG_STATUS_ENUM(name, code, text) name = code,
  VELMORA_JPEG_STATUS_TABLE(VELMORA_JPEG_STATUS_ENUM)
#undef VELMORA_JPEG_STATUS_ENUM
};

// The meaning of a status code, or "unknown status" for a code not in the table.
const char* JpegStatusText(int32_t code);

enum class JpegLayout : int32_t { Gray, H1V1, H2V1, H1V2, H2V2 };

constexpr int32_t kJpegMaxDimension = 8192;
constexpr int32_t kJpegMaxBlocksPerMcuRow = 6144;
constexpr int32_t kJpegMaxMemoryBlocks = 100;
constexpr int32_t kJpegBufferSize = 4096;
constexpr int32_t kJpegBufferPadding = 128;

// Codes of up to this many bits resolve in one table lookup.
constexpr int32_t kJpegFastBits = 10;

// A Huffman table: short codes resolve in one lookup, longer ones by code length.
struct JpegHuffmanTable {
  bool defined;
  // Indexed by the next kJpegFastBits bits: (code length << 8) | symbol, 0 for longer codes.
  uint16_t lookup[1 << kJpegFastBits];
  int32_t maxCode[17];      // largest code of each length, -1 when there is none
  int32_t valueOffset[17];  // symbol index minus the first code of each length
  uint8_t symbols[256];
  // Code and magnitude in one lookup, indexed like lookup; 0 where the next bits do not hold both.
  // For DC use: (difference << 16) | bits used.
  int32_t dcFast[1 << kJpegFastBits];
  // For AC use: (value << 16) | (run << 8) | bits used for a non-zero coefficient, or
  // kJpegFastEob | bits used for the end of the block.
  int32_t acFast[1 << kJpegFastBits];
};
constexpr int32_t kJpegFastEob = 1 << 12;

struct JpegComponent {
  uint8_t id, h, v, quantIndex;
  // Coefficient buffers of a progressive frame, covering whole MCUs.
  int16_t* dc;
  int16_t* ac;  // 64 per block, natural order
  int32_t blocksWide, blocksHigh;
  // Samples of one MCU row: (blocks across) x 8 wide, v x 8 lines.
  uint8_t* plane;
  int32_t planeStride;
  int32_t dcPrediction;
};

struct JpegScan {
  int32_t count;
  int32_t component[4];  // frame component index
  int32_t dcSlot[4], acSlot[4];
  int32_t ss, se, ah, al;
};

struct JpegState {
  JpegInputStream* stream;
  std::jmp_buf* failJump;  // where a raised error returns to
  int32_t status;
  bool attached, begun, progressive;

  int32_t width, height, componentCount;
  JpegLayout layout;
  int32_t bytesPerPixel, bytesPerLine;
  uint16_t restartInterval;
  JpegComponent comp[4];
  int16_t quantTables[4][64];  // natural order, prescaled for the IDCT
  bool quantDefined[4];
  JpegHuffmanTable huffTables[8];  // DC in slots 0..3, AC in 4..7

  // Input: bytes [pos, end) of buffer are unread; padding of 0xFF 0xD9 pairs always follows end.
  uint8_t buffer[kJpegBufferSize + kJpegBufferPadding];
  int32_t pos, end;
  bool streamEnded;

  // Entropy bit window: the top bitCount bits of bits are unread.
  uint64_t bits;
  int32_t bitCount;
  int32_t eobRun;
  int32_t restartsLeft, nextRestart;

  void* blocks[kJpegMaxMemoryBlocks];
  int32_t blockCount;

  // Frame geometry.
  int32_t mcuWidth, mcuHeight, mcusPerRow, mcusPerColumn, blocksPerMcu;
  // Each block of an MCU, in scan order: its frame component, position inside the MCU, Huffman slots.
  int32_t mcuComponent[6], mcuBlockX[6], mcuBlockY[6], mcuDcSlot[6], mcuAcSlot[6];
  // One 64-coefficient block per block of an MCU row; sequential decoding uses the first as scratch.
  int16_t* coefBlocks;
  uint8_t* lines[2];
  int32_t mcuRow;  // MCU row held in the planes, -1 before the first
  int32_t linesDelivered;
  JpegScan scan;
};

// Errors: set the status, release everything and jump back to the public operation.
[[noreturn]] void JpegRaise(JpegState& s, int32_t code);
void* JpegAllocate(JpegState& s, uint64_t bytes);
void JpegTeardown(JpegState& s);

// Input.
void JpegFillBuffer(JpegState& s);
inline uint8_t JpegReadByte(JpegState& s) {
  if (s.pos == s.end) JpegFillBuffer(s);
  return s.buffer[s.pos++];
}
int32_t JpegReadWord(JpegState& s);
void JpegSkipBytes(JpegState& s, int32_t count);

// Markers and headers.
void JpegReadHeader(JpegState& s);
int32_t JpegNextMarker(JpegState& s);
void JpegReadScanHeader(JpegState& s);
void JpegCheckScanTables(JpegState& s);

// Frame set-up, MCU rows and output.
void JpegSetUpFrame(JpegState& s);
void JpegCheckSequentialScan(JpegState& s);
void JpegDecodeMcuRow(JpegState& s, int32_t row);
const uint8_t* JpegOutputLine(JpegState& s, int32_t lineInRow);

// Progressive scans into the coefficient buffers.
void JpegDecodeProgressiveScans(JpegState& s);
