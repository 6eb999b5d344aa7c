#include "tray/RegStuff.h"

#include <charconv>

#include "platform/AppError.h"

namespace tallowmere {

namespace {

std::string AsText(const RegistryValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::to_string(std::get<std::int32_t>(value));
}

std::int32_t AsNumber(const RegistryValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  const std::string& text = std::get<std::string>(value);
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw AppError("Type mismatch");
  }
  return number;
}

}  // namespace

std::string StartupEntryData(std::string_view folder, std::string_view fileName) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += fileName;
  if (path.find(' ') != std::string::npos) return '"' + path + '"';
  return path;
}

void RegStuff::WriteEntry(RegistryRoot list, const std::string& fileName) {
  const std::string data = StartupEntryData(environment_.ProgramFolder(), fileName);
  if (list == RegistryRoot::LocalMachine) {
    SetValue(list, std::string(kRunSubkey), fileName, data, kRegSz);
  } else {
    // A user's own list is missing until some program first writes to it.
    SetValueEx(*registry_.Create(list, std::string(kRunSubkey), kOpenKeyAccess), fileName, kRegSz,
               data);
  }
}

void RegStuff::DeleteEntry(RegistryRoot list, const std::string& fileName) {
  registry_.Open(list, std::string(kRunSubkey), kOpenKeyAccess)->DeleteValue(fileName);
}

bool RegStuff::HasEntry(RegistryRoot list, const std::string& fileName) {
  return registry_.HasValue(list, std::string(kRunSubkey), fileName);
}

void RegStuff::SetValue(RegistryRoot root, const std::string& subkey, const std::string& valueName,
                        const RegistryValue& value, std::uint32_t type) {
  SetValueEx(*registry_.Open(root, subkey, kOpenKeyAccess), valueName, type, value);
}

void RegStuff::SetValueEx(RegistryKey& key, const std::string& valueName, std::uint32_t type,
                          const RegistryValue& value) {
  if (type == kRegSz) {
    key.SetString(valueName, AsText(value));
  } else if (type == kRegDword) {
    key.SetDword(valueName, static_cast<std::uint32_t>(AsNumber(value)));
  }
}

}  // namespace tallowmere
