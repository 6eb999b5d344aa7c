#include "tray/StartupSettings.h"

#include <string>

namespace tallowmere {

bool StartupSettings::Read(std::string_view key) {
  return store_.Get(std::string(kSettingsApplication), std::string(kSettingsSection),
                    std::string(key), std::string(kSettingOff)) == kSettingOn;
}

void StartupSettings::Write(std::string_view key, bool on) {
  store_.Set(std::string(kSettingsApplication), std::string(kSettingsSection), std::string(key),
             std::string(on ? kSettingOn : kSettingOff));
}

}  // namespace tallowmere
