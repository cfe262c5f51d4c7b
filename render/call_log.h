// Calls to the core's GL subset recorded on one thread and made later, in the same order, through another
// thread's table (render/gl_table.h): a part of a frame can be recorded on a worker thread while the drawing
// thread draws what comes before it, and replaying the log then makes exactly the calls the part made.
//
// A call whose caller needs its answer now (glGet*, glGen*, anything that returns a value or writes through
// a pointer) cannot wait for the replay: the recording table throws `CallNeedsAnswer`, and whoever recorded
// the part draws it again on the drawing thread, in its turn.
#pragma once

#include <cstddef>
#include <memory>

#include "render/gl_table.h"

struct CallNeedsAnswer {};

class CallLog {
 public:
  void Clear() { used_ = 0; }
  bool Empty() const { return used_ == 0; }
  // Makes every recorded call, in order, through the calling thread's table.
  void Replay() const;
  // A point in the log where the replay calls `callback(context)` (to replay another log there, say).
  void AppendCallback(void (*callback)(void*), void* context);

  // Room for one record at the end of the log; records are whole multiples of 8 bytes.
  std::byte* Extend(size_t bytes);

 private:
  void Grow(size_t needed);

  std::unique_ptr<std::byte[]> bytes_;
  size_t used_ = 0;
  size_t capacity_ = 0;
};

// While it lives, the calling thread's calls to the subset go into `log` instead of a renderer.
class CallRecording {
 public:
  explicit CallRecording(CallLog& log);
  ~CallRecording();
  CallRecording(const CallRecording&) = delete;
  CallRecording& operator=(const CallRecording&) = delete;

 private:
  GlSubset previousTable_;
  CallLog* previousLog_;
};
