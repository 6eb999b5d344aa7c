#pragma once

#include "platform/SettingsStore.h"

namespace tallowmere {

// Keeps each setting as a text value under
// HKEY_CURRENT_USER\Software\<application>\<section>.
class Win32SettingsStore : public SettingsStore {
 public:
  std::string Get(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& fallback) override;
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override;
};

}  // namespace tallowmere
