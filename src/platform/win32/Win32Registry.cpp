#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/win32/RegKey.h"
#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

void Check(LSTATUS status) {
  if (status != ERROR_SUCCESS) throw AppError(SystemErrorText(static_cast<DWORD>(status)));
}

class Win32RegistryKey : public RegistryKey {
 public:
  RegKey key;

  void SetString(const std::string& name, const std::string& text) override {
    const std::wstring data = Wide(text);
    Check(RegSetValueExW(key.Get(), Wide(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
  }

  void SetDword(const std::string& name, std::uint32_t value) override {
    const DWORD data = value;
    Check(RegSetValueExW(key.Get(), Wide(name).c_str(), 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&data), sizeof data));
  }

  void DeleteValue(const std::string& name) override {
    const LSTATUS status = RegDeleteValueW(key.Get(), Wide(name).c_str());
    if (status != ERROR_FILE_NOT_FOUND) Check(status);
  }
};

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(RegistryRoot root, const std::string& subkey,
                                                 std::uint32_t access) {
  auto key = std::make_unique<Win32RegistryKey>();
  Check(RegOpenKeyExW(RootKey(root), Wide(subkey).c_str(), 0, access, key->key.Receive()));
  return key;
}

std::unique_ptr<RegistryKey> Win32Registry::Create(RegistryRoot root, const std::string& subkey,
                                                   std::uint32_t access) {
  auto key = std::make_unique<Win32RegistryKey>();
  Check(RegCreateKeyExW(RootKey(root), Wide(subkey).c_str(), 0, nullptr, 0, access, nullptr,
                        key->key.Receive(), nullptr));
  return key;
}

bool Win32Registry::HasValue(RegistryRoot root, const std::string& subkey,
                             const std::string& name) {
  const LSTATUS status = RegGetValueW(RootKey(root), Wide(subkey).c_str(), Wide(name).c_str(),
                                      RRF_RT_ANY, nullptr, nullptr, nullptr);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  Check(status);
  return true;
}

}  // namespace tallowmere
