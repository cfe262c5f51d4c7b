// The values the programs' options take, read from their text; nothing for text that is no such value.
#pragma once

#include <optional>
#include <string>

#include "render/batched/batched_gl.h"

// --renderer's value: auto, compat, batched, batched-es or batched-webgl.
std::optional<RendererChoice> ParseRendererChoice(const std::string& text);
