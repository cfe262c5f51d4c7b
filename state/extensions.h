// Extension queries by whole word over the context's extension string.
#pragma once

#include <string_view>

// True when `name` occurs in the blank-separated `list` as a whole word.
bool ContainsExtensionWord(std::string_view list, std::string_view name);

// Whole-word search for `name` in the current GL context's extension string; false without a string.
bool QueryWglExtension(std::string_view name);
