#pragma once

#include <string_view>

#include "platform/SettingsStore.h"

namespace tallowmere {

inline constexpr std::string_view kSettingsApplication = "Varnholt";
inline constexpr std::string_view kSettingsSection = "Tallowmere";
inline constexpr std::string_view kWindowsStartupSetting = "Windows Startup";
inline constexpr std::string_view kMinimizedSetting = "Minimized";
inline constexpr std::string_view kSettingOn = "On";
inline constexpr std::string_view kSettingOff = "Off";

// The two start-up options in the settings store. Only the exact text "On"
// counts as on; an absent value reads as "Off".
class StartupSettings {
 public:
  explicit StartupSettings(SettingsStore& store) : store_(store) {}

  bool WindowsStartup() { return Read(kWindowsStartupSetting); }
  bool Minimized() { return Read(kMinimizedSetting); }
  void SetWindowsStartup(bool on) { Write(kWindowsStartupSetting, on); }
  void SetMinimized(bool on) { Write(kMinimizedSetting, on); }

 private:
  bool Read(std::string_view key);
  void Write(std::string_view key, bool on);

  SettingsStore& store_;
};

}  // namespace tallowmere
