#include "scenes/rows.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "math/random.h"
#include "render/call_log.h"
#include "render/gl_api.h"
#include "render/gl_strings.h"

namespace {

enum JobState : int {
  kFree,           // waiting in the queue for any thread
  kDrawingThread,  // waiting for its turn on the drawing thread
  kRecording,      // being recorded
  kRecorded,       // recorded whole: its log is replayed in its turn
  kNeedsItsTurn,   // recording stopped: drawn in its turn
};

}  // namespace

struct RowCall {
  Rows::Row row = nullptr;
  Rows::NumberedRow numbered = nullptr;
  int number = 0;

  bool operator==(const RowCall&) const = default;
  void operator()(const Scene& scene) const { numbered ? numbered(scene, number) : row(scene); }
};

// A row of the pass, or a part of a row (DrawApart).
struct RowJob {
  RowCall row;
  std::function<void()> part;
  std::atomic<int> state{kFree};
  CallLog log;
  bool seeded = false;  // the row seeded the generator, and left it at randomAfter
  uint32_t randomAfter = 0;

  void Draw(const Scene& scene) const { part ? part() : row(scene); }
};

namespace {

thread_local CallLog* tRecordingInto = nullptr;  // the log this thread records a job into, if any

[[noreturn]] void PartUsedTheGenerator() {
  std::fputs("velmora: a part drawn apart used the random generator\n", stderr);
  std::abort();
}

// Records a job into its log on the calling thread, leaving the thread's generator as it was.
void Record(RowJob& job, const Scene& scene) {
  const uint32_t random = RandomState();
  const bool known = RandomKnown();
  CallLog* const outer = tRecordingInto;
  job.log.Clear();
  tRecordingInto = &job.log;
  RandomForget();
  bool whole = true;
  {
    const CallRecording recording(job.log);
    try {
      job.Draw(scene);
    } catch (const CallNeedsAnswer&) {
      whole = false;
    } catch (const RandomStateUnknown&) {
      if (job.part) PartUsedTheGenerator();
      whole = false;
    }
  }
  tRecordingInto = outer;
  job.seeded = RandomKnown();
  job.randomAfter = RandomState();
  if (job.part && job.seeded) PartUsedTheGenerator();
  RandomSeed(random);
  if (!known) RandomForget();
  job.state.store(whole ? kRecorded : kNeedsItsTurn, std::memory_order_release);
  job.state.notify_all();
}

// The worker threads, the jobs of the pass (from a pool kept from pass to pass, so that their logs keep their
// memory) and the queue of jobs waiting to be recorded, oldest first.
class RowWorkers {
 public:
  ~RowWorkers() { Start(0); }

  int Count() const { return int(threads_.size()); }

  void Start(int count) {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
    stopping_ = false;
    for (int i = 0; i < count; ++i) threads_.emplace_back([this] { Work(); });
  }

  // A job of the pass: queued for any thread, or waiting for the drawing thread.
  RowJob& NewJob(const RowCall& row, std::function<void()> part, bool queued) {
    const std::lock_guard lock(mutex_);
    if (used_ == pool_.size()) pool_.emplace_back();
    RowJob& job = pool_[used_++];
    job.row = row;
    job.part = std::move(part);
    job.state.store(queued ? kFree : kDrawingThread, std::memory_order_relaxed);
    if (queued) {
      queue_.push_back(&job);
      if (open_) wake_.notify_one();
    }
    return job;
  }

  void Open(const Scene& scene) {
    {
      const std::lock_guard lock(mutex_);
      scene_ = &scene;
      open_ = true;
    }
    wake_.notify_all();
  }

  const Scene& OpenScene() const { return *scene_; }

  // The oldest free job, now the caller's to record; none when the queue is empty.
  RowJob* TakeQueued() {
    const std::lock_guard lock(mutex_);
    return TakeLocked();
  }

  // Ends the pass: the queue is dropped (parts of rows whose recording stopped may be left in it), and no
  // worker still records a job when this returns, so the next pass can reuse the pool.
  void Close() {
    std::unique_lock lock(mutex_);
    open_ = false;
    idle_.wait(lock, [this] { return busy_ == 0; });
    queue_.clear();
    used_ = 0;
  }

 private:
  RowJob* TakeLocked() {
    while (open_ && !queue_.empty()) {
      RowJob* job = queue_.front();
      queue_.pop_front();
      int free = kFree;
      if (job->state.compare_exchange_strong(free, kRecording, std::memory_order_acq_rel)) return job;
    }
    return nullptr;
  }

  void Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stopping_ || (open_ && !queue_.empty()); });
      if (stopping_) return;
      RowJob* job = TakeLocked();
      if (!job) continue;
      ++busy_;
      const Scene& scene = *scene_;
      lock.unlock();
      Record(*job, scene);
      lock.lock();
      if (--busy_ == 0) idle_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::deque<RowJob> pool_;
  size_t used_ = 0;
  std::deque<RowJob*> queue_;
  bool open_ = false, stopping_ = false;
  int busy_ = 0;
  const Scene* scene_ = nullptr;
  std::vector<std::thread> threads_;
};

RowWorkers& Workers() {
  static RowWorkers workers;
  return workers;
}

// Rows whose recording stopped once; drawn on the drawing thread from then on (read and written only there).
std::vector<RowCall>& DrawingThreadRows() {
  static std::vector<RowCall> rows;
  return rows;
}

// Draws a job in its turn on the drawing thread: records it when nobody has yet, then replays its log; draws
// it there and then when it is kept there or its recording stopped; while another thread records it, records
// queued jobs meanwhile.
void DrawInTurn(RowJob& job, const Scene& scene) {
  for (;;) {
    int state = job.state.load(std::memory_order_acquire);
    switch (state) {
      case kFree:
        // Recorded here rather than drawn, so that its parts can go to other threads meanwhile.
        if (job.state.compare_exchange_strong(state, kRecording, std::memory_order_acq_rel))
          Record(job, scene);
        continue;
      case kDrawingThread:
        job.Draw(scene);
        return;
      case kRecorded:
        job.log.Replay();
        if (job.seeded) RandomSeed(job.randomAfter);
        return;
      case kNeedsItsTurn:
        if (!job.part) DrawingThreadRows().push_back(job.row);
        job.Draw(scene);
        return;
      default:
        if (RowJob* other = Workers().TakeQueued()) {
          Record(*other, scene);
        } else {
          job.state.wait(kRecording, std::memory_order_acquire);
        }
    }
  }
}

void DrawPartInTurn(void* job) {
  DrawInTurn(*static_cast<RowJob*>(job), Workers().OpenScene());
}

}  // namespace

void UseRowThreads(int count) {
  Workers().Start(std::max(count, 0));
}

int RowThreadsForThisMachine() {
  const unsigned hardwareThreads = std::thread::hardware_concurrency();
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (hardwareThreads <= 2 || !renderer || IsCpuRasteriser(renderer)) return 0;
  return int(std::min(hardwareThreads - 1, 3u));
}

Rows::Rows(const Scene& scene) : scene_(scene) {}

void Rows::Draw(Row row) {
  Add(row, nullptr, 0);
}

void Rows::Draw(NumberedRow row, int number) {
  Add(nullptr, row, number);
}

void Rows::Add(Row row, NumberedRow numbered, int number) {
  const RowCall call{row, numbered, number};
  if (Workers().Count() == 0) {
    call(scene_);
    return;
  }
  const std::vector<RowCall>& kept = DrawingThreadRows();
  const bool queued = std::find(kept.begin(), kept.end(), call) == kept.end();
  jobs_.push_back(&Workers().NewJob(call, nullptr, queued));
}

void Rows::DrawListed() {
  if (jobs_.empty()) return;
  RowWorkers& workers = Workers();
  workers.Open(scene_);
  for (RowJob* job : jobs_) DrawInTurn(*job, scene_);
  workers.Close();
}

void DrawRows(const Scene& scene, void (*list)(const Scene&, Rows&)) {
  Rows rows(scene);
  list(scene, rows);
  rows.DrawListed();
}

void DrawApart(std::function<void()> part) {
  if (!tRecordingInto) {
    part();
    return;
  }
  RowJob& job = Workers().NewJob({}, std::move(part), true);
  tRecordingInto->AppendCallback(DrawPartInTurn, &job);
}
