#include "state/extensions.h"

#include "render/gl_api.h"
#include "render/gl_strings.h"

bool QueryWglExtension(std::string_view name) {
  const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return list && ContainsExtensionWord(list, name);
}
