#include "cli/data_dir.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

std::vector<fs::path> ShowDataCandidates(const fs::path& executableDir, const fs::path& workingDir,
                                         const char* environment) {
  if (environment && *environment) return {environment};
  return {workingDir, executableDir, executableDir.parent_path(), executableDir / ".." / "share" / "velmora"};
}

std::optional<fs::path> FindShowData(const std::vector<fs::path>& candidates) {
  for (const fs::path& folder : candidates) {
    std::error_code error;
    if (fs::is_directory(folder / "textures", error)) return folder;
  }
  return std::nullopt;
}

std::optional<std::string> EnterShowData(const char* program) {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  const fs::path workingDir = fs::current_path(error);
  const auto candidates =
      ShowDataCandidates(executable.parent_path(), workingDir, std::getenv("VELMORA_DATA_DIR"));
  const auto found = FindShowData(candidates);
  if (found) {
    if (fs::equivalent(*found, workingDir, error)) return std::nullopt;
    fs::current_path(*found, error);
    if (!error) return std::nullopt;
  }
  std::string looked;
  for (const fs::path& folder : candidates)
    looked += (looked.empty() ? "" : ", ") + folder.lexically_normal().string();
  return std::string(program) + ": the show's files (a textures/ folder) are in none of: " + looked +
         " (set VELMORA_DATA_DIR to the folder that holds them)";
}
