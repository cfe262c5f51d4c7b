#include "cli/option_values.h"

std::optional<RendererChoice> ParseRendererChoice(const std::string& text) {
  if (text == "auto") return RendererChoice::Auto;
  if (text == "compat") return RendererChoice::Compatibility;
  if (text == "batched") return RendererChoice::Batched;
  if (text == "batched-es") return RendererChoice::BatchedEs;
  if (text == "batched-webgl") return RendererChoice::BatchedWebGl;
  return std::nullopt;
}
