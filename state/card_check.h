// Warns about two graphics-card models known to be too slow for the show; the show starts anyway.
#pragma once

#include <string_view>

#include "state/messages.h"

// True when the renderer name contains "5200" or "6200" anywhere (case-sensitive).
bool IsSlowGraphicsCard(std::string_view renderer);

// Shows the slow-card warning once when the renderer name names a slow card.
void WarnAboutSlowCard(std::string_view renderer, MessageSink& messages);

// Reads GL_RENDERER of the current context and shows the warning when it names a slow card.
void CheckGraphicsCard(MessageSink& messages);
