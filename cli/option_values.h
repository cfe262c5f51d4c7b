// The values the three programs' options take. Each quantity's limits are written here once, and each rule
// both reads an option's text (nothing for text it refuses) and says what it takes, for the refusals
// ("--fps takes a whole number from 1 to 240, not '0'") and the help texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/number_text.h"
#include "render/batched/batched_gl.h"
#include "timing/frame_timing.h"

// Picture sizes, WIDTHxHEIGHT from 1x1 up to the largest width and height.
struct SizeRule {
  int largestWidth = 0, largestHeight = 0;
  bool even = false;  // videos: their 4:2:0 pictures pair pixels in both directions

  bool Allows(PictureSize size) const;
  std::optional<PictureSize> Read(std::string_view text) const;
  std::string Range() const;  // "from 1x1 to 7680x7680"
  // "WIDTHxHEIGHT from 1x1 to 7680x7680, such as 1280x720"; "even WIDTHxHEIGHT ..." for videos.
  std::string Takes() const;
};

constexpr int kLargestSide = 7680;
constexpr int kLargestCaptureHeight = 4320;  // 8K UHD
// velmora and velmora-frame: any shape up to the largest side.
constexpr SizeRule kShowSizes{kLargestSide, kLargestSide};
// velmora-capture, to PNGs and, with even sides, to videos.
constexpr SizeRule kCaptureSizes{kLargestSide, kLargestCaptureHeight};
constexpr SizeRule kVideoSizes{kLargestSide, kLargestCaptureHeight, true};

// Seconds, written as decimals or exact fractions (3553/30), within a range whose ends may be left out.
struct SecondsRule {
  double least = 0, most = 0;
  bool leastIncluded = true, mostIncluded = true;
  const char* examples = "";  // "200 or 3553/30"

  std::optional<double> Read(std::string_view text) const;
  std::string Range() const;  // "from 0 to 236.8", "above 0 to 1", "from 0 to just before 236.8"
  std::string Takes() const;  // "seconds from 0 to 236.8, such as 75 or 3553/30"
};

// An instant of the show's demo clock to draw, or an end of a captured span: the show's end included.
constexpr SecondsRule kShowInstants{0, kShowEnd, true, true, "75 or 3553/30"};
// Where the live show starts: there must be a frame left to play.
constexpr SecondsRule kShowStarts{0, kShowEnd, true, false, "200 or 3553/30"};
// The step of the show's clocks from one frame to the next.
constexpr SecondsRule kFrameSteps{0, 1, false, true, "1/60"};

// Whole numbers from `least` to `most`.
struct WholeNumberRule {
  int least = 0, most = kLargestWholeNumber;

  std::optional<int> Read(std::string_view text) const;
  std::string Takes() const;  // "a whole number from 1 to 240"; "a whole number" when any will do
};

constexpr WholeNumberRule kFrameRates{1, 240};
// --crf: any whole number here; each encoder's own range is checked against the encoder.
constexpr WholeNumberRule kEncoderQualities{};

// --gpu: the first suitable device (neither field set), a device by its number, or the list of devices
// printed instead of a picture.
struct GpuChoice {
  bool list = false;
  std::optional<int> device;
};

struct GpuRule {
  std::optional<GpuChoice> Read(std::string_view text) const;
  std::string Takes() const;  // "auto, list or a device number from 0 to 999"
};

constexpr int kLargestGpuNumber = 999;
constexpr GpuRule kGpus;

// One of a few names, each standing for a value.
template <typename T>
struct Named {
  std::string_view name;
  T value;
};

// "a, b or c"; with `bar`, "a|b|c" as usage lines write alternatives.
std::string JoinNames(const std::vector<std::string_view>& names, bool bar = false);

template <typename T>
class ChoiceRule {
 public:
  explicit ChoiceRule(std::vector<Named<T>> choices) : choices_(std::move(choices)) {}

  std::optional<T> Read(std::string_view text) const {
    for (const Named<T>& choice : choices_) {
      if (choice.name == text) return choice.value;
    }
    return std::nullopt;
  }
  std::string Takes() const { return JoinNames(Names()); }               // "auto, batched or compat"
  std::string Alternatives() const { return JoinNames(Names(), true); }  // "auto|batched|compat"

  // The choices with these values, in this rule's order.
  ChoiceRule Only(std::initializer_list<T> values) const {
    std::vector<Named<T>> kept;
    for (const Named<T>& choice : choices_) {
      for (const T& value : values) {
        if (choice.value == value) kept.push_back(choice);
      }
    }
    return ChoiceRule(std::move(kept));
  }

 private:
  std::vector<std::string_view> Names() const {
    std::vector<std::string_view> names;
    for (const Named<T>& choice : choices_) names.push_back(choice.name);
    return names;
  }

  std::vector<Named<T>> choices_;
};

// --renderer: every renderer for velmora and velmora-frame; the capture offers auto, batched and compat.
const ChoiceRule<RendererChoice>& AllRenderers();
const ChoiceRule<RendererChoice>& CaptureRenderers();
