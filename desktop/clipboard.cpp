#include "desktop/clipboard.h"

#include <SDL.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string_view>

extern char** environ;

namespace {

// Runs "xclip -selection clipboard" with the text on its standard input and waits for it to take the
// selection (it then forks into the background by itself).
bool HandToXclip(const std::string& text) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  char* arguments[] = {const_cast<char*>("xclip"), const_cast<char*>("-selection"),
                       const_cast<char*>("clipboard"), nullptr};
  pid_t child = 0;
  const bool spawned = posix_spawnp(&child, "xclip", &actions, nullptr, arguments, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[0]);
  bool written = spawned;
  for (size_t at = 0; written && at < text.size();) {
    const ssize_t count = write(pipeEnds[1], text.data() + at, text.size() - at);
    written = count > 0;
    if (written) at += size_t(count);
  }
  close(pipeEnds[1]);
  if (!spawned) return false;
  int status = 0;
  waitpid(child, &status, 0);
  return written && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool CopyTextToClipboard(const std::string& text) {
  // Only one of the two may claim the selection: a claim of SDL's still waiting in its X output buffer would
  // otherwise reach the server after xclip's and end xclip's.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::string_view(driver) == "x11" && HandToXclip(text)) return true;
  return SDL_SetClipboardText(text.c_str()) == 0;
}
