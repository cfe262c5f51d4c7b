#include "render/call_log.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <type_traits>

namespace {

// Each record: the function that replays it, then its arguments, each in a slot of 8 bytes.
using Replayer = const std::byte* (*)(const std::byte*);
constexpr size_t kSlot = 8;

thread_local CallLog* tLog = nullptr;

template <typename T>
void Put(std::byte*& at, const T& value) {
  static_assert(sizeof(T) <= kSlot && std::is_trivially_copyable_v<T>);
  std::memcpy(at, &value, sizeof value);
  at += kSlot;
}

template <typename T>
T Take(const std::byte*& at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  at += kSlot;
  return value;
}

template <typename T>
constexpr bool kByValue = std::is_arithmetic_v<T> || std::is_enum_v<T>;

template <auto kEntry, typename... Args>
const std::byte* ReplayCall(const std::byte* at) {
  const std::tuple<Args...> arguments{Take<Args>(at)...};  // a braced list takes them in order
  std::apply(gGl.*kEntry, arguments);
  return at;
}

template <auto kEntry, typename Result, typename... Args>
Result Record(Args... arguments) {
  if constexpr (std::is_void_v<Result> && (kByValue<Args> && ...)) {
    std::byte* at = tLog->Extend(kSlot * (1 + sizeof...(Args)));
    Put(at, &ReplayCall<kEntry, Args...>);
    (Put(at, arguments), ...);
  } else {
    throw CallNeedsAnswer{};
  }
}

constexpr size_t kMatrixBytes = 16 * sizeof(GLdouble);

const std::byte* ReplayLoadMatrix(const std::byte* at) {
  GLdouble m[16];
  std::memcpy(m, at, kMatrixBytes);
  gGl.LoadMatrixd(m);
  return at + kMatrixBytes;
}

void RecordLoadMatrix(const GLdouble* m) {
  std::byte* at = tLog->Extend(kSlot + kMatrixBytes);
  Put(at, &ReplayLoadMatrix);
  std::memcpy(at, m, kMatrixBytes);
}

// A span's vertices travel in the log, right after its mode, count and whether it is textured.
static_assert(sizeof(SpanVertex) % kSlot == 0 && alignof(SpanVertex) <= kSlot);

const std::byte* ReplaySpan(const std::byte* at) {
  VertexSpan span;
  span.mode = Take<GLenum>(at);
  span.count = Take<int>(at);
  span.textured = Take<bool>(at);
  // The log's memory is aligned for doubles, and every record is a whole number of slots.
  span.vertices = reinterpret_cast<const SpanVertex*>(at);
  gGl.DrawVertexSpan(span);
  return at + size_t(span.count) * sizeof(SpanVertex);
}

void RecordSpan(const VertexSpan& span) {
  const size_t count = size_t(std::max(span.count, 0));
  std::byte* at = tLog->Extend(4 * kSlot + count * sizeof(SpanVertex));
  Put(at, &ReplaySpan);
  Put(at, span.mode);
  Put(at, int(count));
  Put(at, span.textured);
  if (count > 0) std::memcpy(at, span.vertices, count * sizeof(SpanVertex));
}

const std::byte* ReplayCallback(const std::byte* at) {
  const auto callback = Take<void (*)(void*)>(at);
  callback(Take<void*>(at));
  return at;
}

const GlSubset& RecordingTable() {
  static const GlSubset table = [] {
    GlSubset recording = {
#define VELMORA_GL_RECORD(type, name, parameters, arguments) \
  .name = [] parameters -> type { return Record<&GlSubset::name, type> arguments; },
        VELMORA_GL_SUBSET(VELMORA_GL_RECORD) VELMORA_GLU_SUBSET(VELMORA_GL_RECORD)
            VELMORA_OWN_SUBSET(VELMORA_GL_RECORD)
#undef VELMORA_GL_RECORD
    };
    recording.LoadMatrixd = RecordLoadMatrix;
    recording.DrawVertexSpan = RecordSpan;
    return recording;
  }();
  return table;
}

}  // namespace

void CallLog::Replay() const {
  const std::byte* at = bytes_.get();
  const std::byte* const end = at + used_;
  while (at < end) at = Take<Replayer>(at)(at);
}

void CallLog::AppendCallback(void (*callback)(void*), void* context) {
  std::byte* at = Extend(3 * kSlot);
  Put(at, &ReplayCallback);
  Put(at, callback);
  Put(at, context);
}

std::byte* CallLog::Extend(size_t bytes) {
  if (used_ + bytes > capacity_) Grow(used_ + bytes);
  std::byte* at = bytes_.get() + used_;
  used_ += bytes;
  return at;
}

void CallLog::Grow(size_t needed) {
  const size_t capacity = std::max({needed, 2 * capacity_, size_t(1) << 16});
  // operator new's memory is aligned for doubles, which a span's vertices need.
  std::unique_ptr<std::byte[]> bytes(new std::byte[capacity]);
  if (used_ > 0) std::memcpy(bytes.get(), bytes_.get(), used_);
  bytes_ = std::move(bytes);
  capacity_ = capacity;
}

CallRecording::CallRecording(CallLog& log) : previousTable_(gGl), previousLog_(tLog) {
  tLog = &log;
  gGl = RecordingTable();
}

CallRecording::~CallRecording() {
  gGl = previousTable_;
  tLog = previousLog_;
}
