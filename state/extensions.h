// Extension queries by whole word over the context's extension string.
#pragma once

#include <string_view>

// Whole-word search for `name` in the current GL context's extension string; false without a string.
bool QueryWglExtension(std::string_view name);
