#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/Environment.h"
#include "platform/Registry.h"

namespace tallowmere {

// The list of programs that Windows starts at log-on: machine-wide under
// HKEY_LOCAL_MACHINE, the user's own under HKEY_CURRENT_USER.
inline constexpr std::string_view kRunSubkey =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
// The rights RegStuff asks for when it opens a key: KEY_QUERY_VALUE |
// KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY |
// KEY_CREATE_LINK.
inline constexpr std::uint32_t kOpenKeyAccess = 0x3F;

// Registry value types that RegStuff writes (REG_SZ, REG_DWORD).
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

using RegistryValue = std::variant<std::string, std::int32_t>;

// The command line of the start-up entry: the program's folder, a backslash
// unless the folder already ends with one, and the file name. A path with a
// blank is quoted, or Windows would try "C:\Program.exe" for a program under
// "C:\Program Files" first.
std::string StartupEntryData(std::string_view folder, std::string_view fileName);

// Writes, deletes and finds the start-up entry in the machine's list or the
// user's. Failures throw AppError.
class RegStuff {
 public:
  RegStuff(Registry& registry, Environment& environment)
      : registry_(registry), environment_(environment) {}

  void WriteEntry(RegistryRoot list, const std::string& fileName);
  void DeleteEntry(RegistryRoot list, const std::string& fileName);
  bool HasEntry(RegistryRoot list, const std::string& fileName);

  void SetValue(RegistryRoot root, const std::string& subkey, const std::string& valueName,
                const RegistryValue& value, std::uint32_t type);
  // REG_SZ stores the value as text, REG_DWORD as a 32-bit number; any other
  // type writes nothing.
  static void SetValueEx(RegistryKey& key, const std::string& valueName, std::uint32_t type,
                         const RegistryValue& value);

 private:
  Registry& registry_;
  Environment& environment_;
};

}  // namespace tallowmere
