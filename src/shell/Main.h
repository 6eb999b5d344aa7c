#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace tallowmere {

inline constexpr std::string_view kProductName = "Tallowmere";
// Message boxes shown without a caption of their own carry the application
// title, which is never longer than this many characters.
inline constexpr std::size_t kApplicationTitleLimit = 40;

// Derives the application title from the name: while it is longer than the
// limit, the last blank and everything after it go. A name still too long
// with no blank left throws AppError and the title keeps its previous value.
void SetApplicationTitle(std::string_view name = kProductName);

// The process-wide application title; the product name until it is set.
const std::string& ApplicationTitle();

// True when the file's modification time can be read. Any failure counts as
// "no such file" and is never reported.
bool FileExists(Files& files, const std::string& path);

}  // namespace tallowmere
