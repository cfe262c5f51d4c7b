// The rows of a pass, drawn in their order, on one thread or on several.
//
// A pass lists its rows (each a layer function of the scene, some with the row's number) and they are drawn
// in that order. With row threads in use, worker threads (and the drawing thread while it waits) record rows
// into call logs (render/call_log.h), and the drawing thread replays each log in its turn: the renderer
// receives exactly the calls, in exactly the order, that one thread would have made. A row that draws from
// the generator before its own seed waits, in later frames, until the row before it has left a known state
// (or for its turn); a row that asks GL something is drawn on the drawing thread in its turn.
//
// A busy row can hand parts of itself to other threads with `DrawApart`: each part is recorded into a log of
// its own, which is replayed where the part stands among the row's calls.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

#include "scenes/scene.h"

// How many threads record rows beside the drawing thread; 0, the default, draws each row as it is listed.
// Call it from the drawing thread, between frames.
void UseRowThreads(int count);

// The row threads worth using with the current context on this machine: none with two hardware threads or
// fewer, where the drawing thread and the driver's own threads already share the cores, and none on a
// rasteriser that runs on the CPU (llvmpipe), whose threads the pixels keep busy; otherwise one fewer than
// the hardware threads, at most three.
int RowThreadsForThisMachine();

class Rows {
 public:
  using Row = void (*)(const Scene&);
  using NumberedRow = void (*)(const Scene&, int);

  // The listing must make no drawing calls of its own after its first row: with row threads, the rows are
  // drawn after the listing ends.
  void Draw(Row row);
  void Draw(NumberedRow row, int number);

 private:
  friend void DrawRows(const Scene& scene, void (*list)(const Scene&, Rows&));
  explicit Rows(const Scene& scene);
  void Add(Row row, NumberedRow numbered, int number);
  void DrawListed();

  const Scene& scene_;
  std::vector<struct RowJob*> jobs_;
};

// Lists the rows of a pass with `list` and draws them, in order.
void DrawRows(const Scene& scene, void (*list)(const Scene&, Rows&));

// Draws `part` of a row where it stands among the row's calls: at once, or recorded on another thread when
// the row is being recorded. A part reads only what it holds (copied) and what stays put for the frame (the
// scene, the show's curves), and neither draws from nor seeds the random generator.
void DrawApart(std::function<void()> part);

// Many small parts handed over a group at a time: `Add` keeps an item, and every `kGroup` items (and at
// `Flush`) one part draws them in order with `draw(item)`, so that handing over costs little beside the
// drawing.
template <typename Item, size_t kGroup, typename Draw>
class PartGroups {
 public:
  explicit PartGroups(Draw draw) : draw_(draw) {}

  void Add(const Item& item) {
    items_[count_++] = item;
    if (count_ == kGroup) Flush();
  }

  void Flush() {
    if (count_ == 0) return;
    DrawApart([items = items_, count = count_, draw = draw_] {
      for (size_t i = 0; i < count; ++i) draw(items[i]);
    });
    count_ = 0;
  }

 private:
  Draw draw_;
  std::array<Item, kGroup> items_;
  size_t count_ = 0;
};

// How many creatures one part draws: a creature alone is too little work to hand over.
constexpr size_t kCreaturesAPart = 10;
