#pragma once

#include <windows.h>

namespace tallowmere {

// Owns an open registry key.
class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY Get() const { return key_; }
  // For the out parameter of RegOpenKeyExW and RegCreateKeyExW; only on an
  // empty key.
  HKEY* Receive() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace tallowmere
