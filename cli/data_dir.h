// Where the show's own files (textures/, music/) are. The show opens them by names relative to the working
// directory, so a host enters that folder before start-up.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The folders to look in, in order: only `environment` when it is set ($VELMORA_DATA_DIR); otherwise the
// working directory, the executable's folder (a build tree), its parent (the tools of a build tree) and
// ../share/velmora beside it (an installed copy, or an unpacked archive).
std::vector<std::filesystem::path> ShowDataCandidates(const std::filesystem::path& executableDir,
                                                      const std::filesystem::path& workingDir,
                                                      const char* environment);

// The first candidate that holds a textures/ folder.
std::optional<std::filesystem::path> FindShowData(const std::vector<std::filesystem::path>& candidates);

// Finds the show's files for the running program and makes their folder the working directory. On failure
// the result is one line naming every folder looked in.
std::optional<std::string> EnterShowData(const char* program);
