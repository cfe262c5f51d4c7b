// The programs' --help texts, laid out here so that texts built from the limits wrap by themselves:
// paragraphs wrapped to 80 columns and the options in two columns, as help2man reads them into the man
// pages (the "Usage:" line first, each option indented with its text beside it or below).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One paragraph, wrapped, ending in a newline.
std::string HelpParagraph(std::string_view text);

struct HelpOption {
  std::string option;  // "--size WxH"
  std::string text;
};

// The options, with -h/--help and -V/--version, which every program has, at the end.
std::string HelpOptions(std::vector<HelpOption> options);
