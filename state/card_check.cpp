#include "state/card_check.h"

#include "render/gl_api.h"

bool IsSlowGraphicsCard(std::string_view renderer) {
  return renderer.find("5200") != std::string_view::npos || renderer.find("6200") != std::string_view::npos;
}

void WarnAboutSlowCard(std::string_view renderer, MessageSink& messages) {
  if (IsSlowGraphicsCard(renderer)) messages.Show(messages::kSlowGraphicsCard);
}

void CheckGraphicsCard(MessageSink& messages) {
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (renderer) WarnAboutSlowCard(renderer, messages);
}
