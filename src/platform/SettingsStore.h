#pragma once

#include <string>

namespace tallowmere {

// Per-user text values addressed by application name, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `fallback` when the key is absent or unreadable.
  virtual std::string Get(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& fallback) = 0;
  // Stores the text unchanged. Failures throw AppError.
  virtual void Set(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) = 0;
};

}  // namespace tallowmere
