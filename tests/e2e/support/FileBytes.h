#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tallowmere::e2e {

// The file's bytes exactly as stored, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Creates or replaces the file with exactly these bytes; throws on failure.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tallowmere::e2e
