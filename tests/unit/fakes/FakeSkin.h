#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AppError.h"
#include "platform/Pictures.h"
#include "platform/SkinControl.h"

namespace tallowmere {

class FakeFilePicture : public PictureObject {
 public:
  explicit FakeFilePicture(std::string source) : source(std::move(source)) {}
  PictureType Type() const override { return PictureType::Icon; }
  std::uintptr_t Handle() const override { return 0xC0; }
  std::string source;  // the file it was loaded from
};

// Loads every path except those listed in `unloadable`.
class FakePictures : public Pictures {
 public:
  std::vector<std::string> unloadable;
  std::vector<std::string> loaded;

  std::shared_ptr<const PictureObject> LoadPicture(const std::string& path) override {
    for (const std::string& bad : unloadable) {
      if (bad == path) throw AppError("Invalid picture");
    }
    loaded.push_back(path);
    return std::make_shared<FakeFilePicture>(path);
  }
};

// Records every call as text, in order, e.g. "LoadSkin(C:\x\o.cjs,)",
// "Options", "SetOptions(5)". A call named in `failOn` throws.
class FakeSkin : public SkinControl {
 public:
  std::vector<std::string> calls;
  std::int32_t options = 0;
  std::string failOn;
  std::function<void()> onCall;  // runs at every call, before it is recorded

  void LoadSkin(const std::string& path, const std::string& scheme) override {
    Record("LoadSkin", "LoadSkin(" + path + "," + scheme + ")");
  }
  std::int32_t Options() override {
    Record("Options", "Options");
    return options;
  }
  void SetOptions(std::int32_t flags) override {
    Record("SetOptions", "SetOptions(" + std::to_string(flags) + ")");
    options = flags;
  }
  void SetSkinText(bool on) override { Record("SetSkinText", Flag("SetSkinText", on)); }
  void SetSkinBackground(bool on) override {
    Record("SetSkinBackground", Flag("SetSkinBackground", on));
  }
  void ApplyWindow(std::int32_t hwnd) override {
    Record("ApplyWindow", "ApplyWindow(" + std::to_string(hwnd) + ")");
  }

 private:
  static std::string Flag(const std::string& name, bool on) {
    return name + (on ? "(true)" : "(false)");
  }
  void Record(const std::string& name, const std::string& call) {
    if (onCall) onCall();
    calls.push_back(call);
    if (name == failOn) throw AppError("The skin control refused " + name);
  }
};

}  // namespace tallowmere
