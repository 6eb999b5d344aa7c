#include "shell/Main.h"

#include <exception>

#include "platform/AppError.h"

namespace tallowmere {

namespace {

// One title for the whole process, as message boxes anywhere in it use it.
// Made on first use, so that a failure to make it reaches a caller.
std::string& Title() {
  static std::string title(kProductName);
  return title;
}

// Characters, not bytes: a UTF-8 continuation byte starts no character.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

void SetApplicationTitle(std::string_view name) {
  while (CharacterCount(name) > kApplicationTitleLimit) {
    const std::size_t blank = name.rfind(' ');
    if (blank == std::string_view::npos) throw AppError("Invalid procedure call or argument");
    name = name.substr(0, blank);
  }
  Title() = name;
}

const std::string& ApplicationTitle() {
  return Title();
}

bool FileExists(Files& files, const std::string& path) {
  try {
    return files.Exists(path);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace tallowmere
