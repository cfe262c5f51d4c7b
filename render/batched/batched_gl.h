// The batched renderer: the core's GL 1.x subset (render/gl_api.h) on an OpenGL 3.3 core or OpenGL ES 3.0
// context.
//
// What it does: immediate-mode vertices (position, colour, texture coordinate) are transformed on the CPU
// by the model-view, projection and texture matrices (kept on CPU stacks) and gathered into one large vertex
// stream per frame; quads, quad strips, polygons, fans and strips become triangles, lines wider than one
// pixel become quads (offset along their minor axis, as the compatibility profile draws them). Draws are
// recorded with the state they need (blending, depth, culling, texture and its environment) and run in
// order, one upload for all, when something must see them: a clear, a framebuffer change or read, a viewport
// change, or Flush. Display lists (the tessellated outline shapes) are recorded once as triangles in their
// own coordinates. Push/pop of attributes keeps every piece of state the subset has.
//
// What it does not do: lighting, fog, alpha test, texture generation, points, flat shading, display lists
// holding anything but vertices, attribute masks other than GL_ALL_ATTRIB_BITS. Each such call fails loudly
// once: a line on standard error naming the entry point and what was asked.
#pragma once

#include <string>

// WebGl2 is OpenGL ES 3.0 as WebGL 2 offers it: no unsynchronised buffer maps and no waiting on fences, so
// each batch's vertices go up with glBufferData.
enum class BatchedFlavour { Core33, Es30, WebGl2 };

// What a host draws with: the batched renderer on an OpenGL 3.3 core (or ES 3.0) context, or the
// compatibility profile's own entry points. Auto takes the batched renderer where it can be made.
// BatchedWebGl is the browser's path (ES 3.0 without buffer maps), on a native ES context.
enum class RendererChoice { Auto, Compatibility, Batched, BatchedEs, BatchedWebGl };

// The flavour a batched choice draws with (Auto and Batched: OpenGL 3.3 core).
BatchedFlavour FlavourFor(RendererChoice choice);

// Installs the renderer on the current context: from now on the subset goes to it. False, with the reason,
// where the context cannot run it (then the compatibility profile's entry points stay).
bool InstallBatchedGl(BatchedFlavour flavour, std::string& error);

// Hands the compatibility profile's entry points back, after drawing what is pending.
void UninstallBatchedGl();

bool BatchedGlInstalled();

// Draws everything pending (before a swap, or before reading pixels outside the subset).
void FlushBatchedGl();

// "batched (OpenGL 3.3 core)", "batched (OpenGL ES 3.0)" or "compatibility profile".
std::string CurrentGlPath();
