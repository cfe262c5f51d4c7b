#include "state/extensions.h"

#include "render/gl_api.h"

bool ContainsExtensionWord(std::string_view list, std::string_view name) {
  if (name.empty()) return false;
  for (size_t at = list.find(name); at != std::string_view::npos; at = list.find(name, at + 1)) {
    const size_t end = at + name.size();
    const bool startsWord = at == 0 || list[at - 1] == ' ';
    const bool endsWord = end == list.size() || list[end] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool QueryWglExtension(std::string_view name) {
  const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return list && ContainsExtensionWord(list, name);
}
