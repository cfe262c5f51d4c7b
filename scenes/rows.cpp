#include "scenes/rows.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "math/random.h"
#include "render/call_log.h"
#include "render/gl_api.h"
#include "render/gl_strings.h"

namespace {

enum JobState : int {
  kFree,           // waiting in the queue for any thread
  kChained,        // waiting for the generator's state the row before leaves
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
  RowJob* next = nullptr;  // the row after this one
  std::atomic<int> state{kFree};
  CallLog log;
  // The generator's state when the row starts, where it is known, and when it ends: known when the row
  // started from a known state or seeded the generator.
  std::optional<uint32_t> randomBefore, randomAfter;
  JobState keep = kFree;  // where a row whose recording stopped is kept in later frames

  void Draw(const Scene& scene) const { part ? part() : row(scene); }
};

namespace {

thread_local CallLog* tRecordingInto = nullptr;  // the log this thread records a job into, if any

[[noreturn]] void PartUsedTheGenerator() {
  std::fputs("velmora: a part drawn apart used the random generator\n", stderr);
  std::abort();
}

void ReleaseChained(RowJob& job, uint32_t randomBefore);

// Records a job into its log on the calling thread, leaving the thread's generator as it was; then lets the
// row after it go when it waits for the state this one leaves.
void Record(RowJob& job, const Scene& scene) {
  const uint32_t random = RandomState();
  const bool known = RandomKnown();
  CallLog* const outer = tRecordingInto;
  job.log.Clear();
  tRecordingInto = &job.log;
  if (job.randomBefore) {
    RandomSeed(*job.randomBefore);
  } else {
    RandomForget();
  }
  bool whole = true;
  {
    const CallRecording recording(job.log);
    try {
      job.Draw(scene);
    } catch (const CallNeedsAnswer&) {
      whole = false, job.keep = kDrawingThread;
    } catch (const RandomStateUnknown&) {
      if (job.part) PartUsedTheGenerator();
      whole = false, job.keep = kChained;
    }
  }
  tRecordingInto = outer;
  job.randomAfter = RandomKnown() ? std::optional(RandomState()) : std::nullopt;
  if (job.part && job.randomAfter) PartUsedTheGenerator();
  RandomSeed(random);
  if (!known) RandomForget();
  const std::optional<uint32_t> after = job.randomAfter;
  RowJob* const next = job.next;
  job.state.store(whole ? kRecorded : kNeedsItsTurn, std::memory_order_release);
  job.state.notify_all();
  if (whole && after && next) ReleaseChained(*next, *after);
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

  // A job of the pass: queued for any thread (kFree), or waiting.
  RowJob& NewJob(const RowCall& row, std::function<void()> part, JobState state) {
    const std::lock_guard lock(mutex_);
    if (used_ == pool_.size()) pool_.emplace_back();
    RowJob& job = pool_[used_++];
    job.row = row;
    job.part = std::move(part);
    job.next = nullptr;
    job.randomBefore.reset();
    job.keep = kFree;
    job.state.store(state, std::memory_order_relaxed);
    if (state == kFree) QueueLocked(job, false);
    return job;
  }

  // Queues a job that waited, to be taken before the others.
  void QueueFirst(RowJob& job) {
    const std::lock_guard lock(mutex_);
    QueueLocked(job, true);
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
  void QueueLocked(RowJob& job, bool first) {
    if (first) {
      queue_.push_front(&job);
    } else {
      queue_.push_back(&job);
    }
    if (open_ && sleeping_ > 0) wake_.notify_one();
  }

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
      ++sleeping_;
      wake_.wait(lock, [this] { return stopping_ || (open_ && !queue_.empty()); });
      --sleeping_;
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
  int sleeping_ = 0;  // workers waiting for a job
  const Scene* scene_ = nullptr;
  std::vector<std::thread> threads_;
};

RowWorkers& Workers() {
  static RowWorkers workers;
  return workers;
}

// Rows whose recording stopped once, and how they wait from then on: for the drawing thread (they ask GL),
// or for the generator's state the row before leaves (read and written only on the drawing thread).
std::vector<std::pair<RowCall, JobState>>& KeptRows() {
  static std::vector<std::pair<RowCall, JobState>> rows;
  return rows;
}

// A chained row goes to the queue with the state the row before it left.
void ReleaseChained(RowJob& job, uint32_t randomBefore) {
  int chained = kChained;
  if (!job.state.compare_exchange_strong(chained, kRecording, std::memory_order_acq_rel)) return;
  job.randomBefore = randomBefore;
  job.state.store(kFree, std::memory_order_release);
  Workers().QueueFirst(job);
}

// Draws a part on this thread, holding it to its promise to leave the generator alone.
void DrawPartHere(const RowJob& part) {
  const uint32_t random = RandomState();
  RandomForget();
  try {
    part.part();
  } catch (const RandomStateUnknown&) {
    PartUsedTheGenerator();
  }
  if (RandomKnown()) PartUsedTheGenerator();
  RandomSeed(random);
}

// Draws a job in its turn on the drawing thread: a row nobody has started is recorded here, then its log
// replayed (a part nobody has started is drawn at once); a row kept here or whose recording stopped is drawn
// at once; while another thread records the job, this one records queued jobs meanwhile.
void DrawInTurn(RowJob& job, const Scene& scene) {
  for (;;) {
    int state = job.state.load(std::memory_order_acquire);
    switch (state) {
      case kFree:
      case kChained:
        if (!job.state.compare_exchange_strong(state, kRecording, std::memory_order_acq_rel)) continue;
        if (job.part) {  // nobody has started it: drawn at once
          DrawPartHere(job);
          return;
        }
        // A row is recorded here rather than drawn, so that its parts can go to other threads meanwhile; in
        // its turn the generator's state is this thread's.
        job.randomBefore = RandomState();
        Record(job, scene);
        continue;
      case kDrawingThread:
        job.Draw(scene);
        return;
      case kRecorded:
        job.log.Replay();
        if (job.randomAfter) RandomSeed(*job.randomAfter);
        return;
      case kNeedsItsTurn:
        if (!job.part) KeptRows().emplace_back(job.row, job.keep);
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
  const auto& kept = KeptRows();
  const auto found =
      std::find_if(kept.begin(), kept.end(), [&](const auto& row) { return row.first == call; });
  RowJob& job = Workers().NewJob(call, nullptr, found == kept.end() ? kFree : found->second);
  if (!jobs_.empty()) jobs_.back()->next = &job;
  jobs_.push_back(&job);
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
  RowJob& job = Workers().NewJob({}, std::move(part), kFree);
  tRecordingInto->AppendCallback(DrawPartInTurn, &job);
}
