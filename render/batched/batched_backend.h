// The batched renderer's side of the real context: the shader programs (one for each texture environment),
// the two streaming buffers a frame's vertices and indices go up in, a cache of the GL state the context
// holds, so that a draw sets only what differs, and the draws themselves. It calls GL by the driver's own
// names; it is below the core's table and never sees its redirections.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "render/batched/batch_builder.h"
#include "render/batched/batched_gl.h"
#include "render/gl_headers.h"

class BatchedBackend {
 public:
  explicit BatchedBackend(BatchedFlavour flavour) : flavour_(flavour) {}

  BatchedFlavour Flavour() const { return flavour_; }
  bool IsEs() const { return flavour_ != BatchedFlavour::Core33; }

  // Compiles the programs, makes the vertex array and buffers on the current context and reads its
  // viewport; false, with the reason, where a program does not build.
  bool Create(std::string& error);

  // Runs every draw the builder recorded since the last time, their vertices and indices where the builder
  // wrote them (the windows below, or uploaded from its own memory), and empties the builder.
  void Execute(BatchBuilder& builder);

  // Has the builder write each batch straight into windows of the two buffers.
  void LendWindows(BatchBuilder& builder);

  // Clears the buffers of `mask` to the state's clear colour and depth, under its depth mask.
  void Clear(const AttributeState& state, GLbitfield mask);

  // The cached state that the entry points touch as well.
  void BindTexture(GLuint texture);
  void TextureDeleted(GLuint texture);
  void SetDepthWrite(bool write);
  const GLint* Viewport() const { return real_.viewport; }
  void SetViewport(const GLint viewport[4]);

 private:
  // What the context holds now (-1: not known yet).
  struct RealState {
    int blend = -1, depthTest = -1, depthWrite = -1, cull = -1, environment = -1;
    GLenum blendSource = 0, blendDestination = 0, depthFunction = 0, cullFace = 0;
    GLuint texture = 0;
    GLint viewport[4] = {0, 0, 0, 0};
  };

  // A buffer written front to back with unsynchronised maps, in two halves: entering a half waits (rarely
  // long) for a fence set when that half was last left, so a write never lands on data a pending draw reads,
  // and the storage is never given up, so the driver need not find fresh memory every frame.
  struct StreamBuffer {
    GLenum target = GL_ARRAY_BUFFER;
    GLuint name = 0;
    size_t size = 0, offset = 0;
    GLsync fences[2] = {nullptr, nullptr};
    bool windowOpen = false;
    size_t windowOffset = 0;  // where the open window starts
    size_t largestBatch = 0;  // in bytes
  };

  void Apply(const DrawState& state);
  // Finds `bytes` in the stream at a place no pending draw reads; returns where.
  size_t Reserve(StreamBuffer& stream, size_t bytes);
  // Copies `bytes` into the stream at such a place; returns where.
  size_t Upload(StreamBuffer& stream, const void* data, size_t bytes);
  // Maps the rest of the stream's current half (or the next half, where the largest batch so far would not
  // fit) for the builder to write the next batch into; nothing on WebGL 2 or where the map fails.
  template <typename T>
  std::span<T> OpenWindow(StreamBuffer& stream);
  // Unmaps the stream's window, flushing what the builder wrote to it, and moves the stream past that.
  template <typename T>
  void CloseWindow(StreamBuffer& stream, const StreamSink<T>& written);
  // Where the batch's elements start in the stream: in the window, or uploaded from the builder's memory.
  template <typename T>
  size_t Placed(StreamBuffer& stream, const StreamSink<T>& written);

  BatchedFlavour flavour_;
  GLuint programs_[3] = {0, 0, 0};  // by environment: no texture, GL_MODULATE, GL_REPLACE
  GLuint vertexArray_ = 0;
  StreamBuffer vertices_{GL_ARRAY_BUFFER}, indices_{GL_ELEMENT_ARRAY_BUFFER};
  RealState real_;
};
