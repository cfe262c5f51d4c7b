#include "cli/option_values.h"

bool SizeRule::Allows(PictureSize size) const {
  const int least = even ? 2 : 1;
  return size.width >= least && size.height >= least && size.width <= largestWidth &&
         size.height <= largestHeight && !(even && (size.width % 2 || size.height % 2));
}

std::optional<PictureSize> SizeRule::Read(std::string_view text) const {
  const auto size = ParsePictureSize(text);
  if (!size || !Allows(*size)) return std::nullopt;
  return size;
}

std::string SizeRule::Range() const {
  const int least = even ? 2 : 1;
  return "from " + FormatPictureSize({least, least}) + " to " +
         FormatPictureSize({largestWidth, largestHeight});
}

std::string SizeRule::Takes() const {
  return std::string(even ? "even " : "") + "WIDTHxHEIGHT " + Range() + ", such as 1280x720";
}

std::optional<double> SecondsRule::Read(std::string_view text) const {
  const auto seconds = ParseFraction(text);
  if (!seconds || *seconds < least || *seconds > most || (!leastIncluded && *seconds == least) ||
      (!mostIncluded && *seconds == most)) {
    return std::nullopt;
  }
  return seconds;
}

std::string SecondsRule::Range() const {
  return (leastIncluded ? "from " : "above ") + FormatNumber(least) +
         (mostIncluded ? " to " : " to just before ") + FormatNumber(most);
}

std::string SecondsRule::Takes() const {
  return "seconds " + Range() + ", such as " + examples;
}

std::optional<int> WholeNumberRule::Read(std::string_view text) const {
  const auto number = ParseWholeNumber(text);
  if (!number || *number < least || *number > most) return std::nullopt;
  return number;
}

std::string WholeNumberRule::Takes() const {
  if (least == 0 && most == kLargestWholeNumber) return "a whole number";
  return "a whole number from " + std::to_string(least) + " to " + std::to_string(most);
}

std::optional<GpuChoice> GpuRule::Read(std::string_view text) const {
  if (text == "auto") return GpuChoice{};
  if (text == "list") return GpuChoice{true, std::nullopt};
  const auto device = ParseWholeNumber(text);
  if (!device || *device > kLargestGpuNumber) return std::nullopt;
  return GpuChoice{false, *device};
}

std::string GpuRule::Takes() const {
  return "auto, list or a device number from 0 to " + std::to_string(kLargestGpuNumber);
}

std::string JoinNames(const std::vector<std::string_view>& names, bool bar) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += bar ? "|" : i + 1 < names.size() ? ", " : " or ";
    text += names[i];
  }
  return text;
}

const ChoiceRule<RendererChoice>& AllRenderers() {
  static const ChoiceRule<RendererChoice> renderers({
      {"auto", RendererChoice::Auto},
      {"batched", RendererChoice::Batched},
      {"batched-es", RendererChoice::BatchedEs},
      {"batched-webgl", RendererChoice::BatchedWebGl},
      {"compat", RendererChoice::Compatibility},
  });
  return renderers;
}

const ChoiceRule<RendererChoice>& CaptureRenderers() {
  static const ChoiceRule<RendererChoice> renderers =
      AllRenderers().Only({RendererChoice::Auto, RendererChoice::Batched, RendererChoice::Compatibility});
  return renderers;
}
