#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tallowmere {

enum class RegistryRoot { CurrentUser, LocalMachine };

// An open registry key, closed when destroyed. Failures throw AppError with
// the system's description of the cause.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual void SetString(const std::string& name, const std::string& text) = 0;
  virtual void SetDword(const std::string& name, std::uint32_t value) = 0;
  // Deleting a value that is not there succeeds.
  virtual void DeleteValue(const std::string& name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key with the given access rights; throws AppError.
  virtual std::unique_ptr<RegistryKey> Open(RegistryRoot root, const std::string& subkey,
                                            std::uint32_t access) = 0;
  // Opens a key with the given access rights, creating it when it is
  // missing; throws AppError.
  virtual std::unique_ptr<RegistryKey> Create(RegistryRoot root, const std::string& subkey,
                                              std::uint32_t access) = 0;
  // Whether the key holds a value of that name: false when the key or the
  // value is absent. Throws AppError when the key cannot be read.
  virtual bool HasValue(RegistryRoot root, const std::string& subkey, const std::string& name) = 0;
};

}  // namespace tallowmere
