#pragma once

#include <cstdint>
#include <string>

namespace tallowmere {

// The skin control that sits on the main window (SkinFramework1): the
// program's own theming layer. It receives the calls the load makes, each
// named here with the automation dispatch id it answers to. Failures throw
// AppError.
class SkinControl {
 public:
  // Bits of the option flags.
  static constexpr std::int32_t kSkinChildControls = 1;  // the window's frames, tick boxes, labels

  virtual ~SkinControl() = default;
  // Dispatch id 2: reads the skin file. `scheme` names a colour scheme inside
  // it; our files hold a single scheme, which the empty name selects.
  virtual void LoadSkin(const std::string& path, const std::string& scheme) = 0;
  // Dispatch id 1: the option flags.
  virtual std::int32_t Options() = 0;
  virtual void SetOptions(std::int32_t flags) = 0;
  // Dispatch id 5: the skin's text colour replaces the system's on skinned
  // controls.
  virtual void SetSkinText(bool on) = 0;
  // Dispatch id 10: the window's own background takes the face colour.
  virtual void SetSkinBackground(bool on) = 0;
  // Dispatch id 3: applies the loaded skin to a window, given by its handle as
  // a 32-bit integer (window handles fit in 32 bits on every Windows).
  virtual void ApplyWindow(std::int32_t hwnd) = 0;
};

}  // namespace tallowmere
