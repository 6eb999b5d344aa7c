#pragma once

#include "platform/Registry.h"

namespace tallowmere {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> Open(RegistryRoot root, const std::string& subkey,
                                    std::uint32_t access) override;
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, const std::string& subkey,
                                      std::uint32_t access) override;
  bool HasValue(RegistryRoot root, const std::string& subkey, const std::string& name) override;
};

}  // namespace tallowmere
