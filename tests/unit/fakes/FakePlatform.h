#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "FakeHooks.h"
#include "FakeSkin.h"
#include "FakeTray.h"
#include "platform/AppError.h"
#include "ui/FormView.h"
#include "ui/Platform.h"

namespace tallowmere {

// In-memory files. Paths listed in `failing` refuse every operation.
class FakeFiles : public Files {
 public:
  std::map<std::string, std::string> content;
  std::vector<std::string> failing;
  int replaces = 0;
  std::vector<std::string> replaced;  // every content written, in order

  // Folders and hidden or system files: they exist, but a listing of plain
  // files passes them over.
  std::vector<std::string> notPlain;

  bool Exists(const std::string& path) override {
    return content.count(path) != 0 || IsNotPlain(path);
  }
  bool ListsPlainFile(const std::string& path) override {
    return content.count(path) != 0 && !IsNotPlain(path);
  }
  bool IsNotPlain(const std::string& path) const {
    return std::find(notPlain.begin(), notPlain.end(), path) != notPlain.end();
  }
  std::string ReadAll(const std::string& path) override {
    Check(path);
    auto it = content.find(path);
    if (it == content.end()) throw AppError("File not found");
    return it->second;
  }
  void Replace(const std::string& path, const std::string& text) override {
    Check(path);
    ++replaces;
    replaced.push_back(text);
    content[path] = text;
  }
  void Copy(const std::string& from, const std::string& to) override { Replace(to, ReadAll(from)); }

 private:
  void Check(const std::string& path) {
    for (const std::string& f : failing) {
      if (f == path) throw AppError("Permission denied");
    }
  }
};

class FakeEnvironment : public Environment {
 public:
  std::map<std::string, std::string> variables{{"TEMP", "C:\\Temp"}};
  std::string folder = "C:\\Program Files\\Tallowmere";

  std::string Variable(const std::string& name) override {
    auto it = variables.find(name);
    return it == variables.end() ? std::string() : it->second;
  }
  std::string ProgramFolder() override { return folder; }
  std::string ProgramFileName() override { return "Tallowmere.exe"; }
};

struct ShownDialog {
  std::string text, caption;
  DialogIcon icon;
};

// Records the boxes shown. `onShow` runs while a box is open, as the
// messages that a modal box dispatches would.
class FakeDialogs : public Dialogs {
 public:
  std::vector<ShownDialog> shown;
  std::function<void()> onShow;
  void Show(const std::string& text, const std::string& caption, DialogIcon icon) override {
    shown.push_back({text, caption, icon});
    if (onShow) onShow();
  }
};

// Records what Form1 asks to redraw. Redrawing `failingKey` or
// `failingControl` fails.
class FakeView : public FormView {
 public:
  int failingKey = -1;
  std::optional<ControlId> failingControl;
  std::vector<int> keys;
  std::vector<ControlId> controls;
  int visibleChanges = 0;
  int timerChanges = 0;
  void KeyChanged(int index) override {
    keys.push_back(index);
    if (index == failingKey) throw AppError("Invalid procedure call or argument");
  }
  void ControlChanged(ControlId id) override {
    controls.push_back(id);
    if (id == failingControl) throw AppError("Invalid procedure call or argument");
  }
  // Runs after every change of the window's visibility, as the system's
  // activation would.
  std::function<void()> onVisibleChanged;
  void VisibleChanged() override {
    ++visibleChanges;
    if (onVisibleChanged) onVisibleChanged();
  }
  void TimerChanged(TimerId) override { ++timerChanges; }
  // The window's own operations, in order, as "WindowState", "Icon", "Focus",
  // "Close"; `log` also gets them when set.
  std::vector<std::string> operations;
  std::vector<std::string>* log = nullptr;
  void WindowStateChanged() override { Note("WindowState"); }
  void IconChanged() override { Note("Icon"); }
  void TakeFocus() override { Note("Focus"); }
  void CloseWindow() override { Note("Close"); }
  int pointerChanges = 0;
  void MousePointerChanged() override { ++pointerChanges; }
  WindowHandle handle = 0x10A2C;
  WindowHandle Handle() const override { return handle; }

 private:
  void Note(const std::string& what) {
    operations.push_back(what);
    if (log) log->push_back(what);
  }
};

class FakeResources : public ProgramResources {
 public:
  std::shared_ptr<const PictureObject> icon = MakePicture(PictureType::Icon, 0x1C0);
  std::shared_ptr<const PictureObject> locked = MakePicture(PictureType::Icon, 0x1C8);
  bool fails = false;
  std::shared_ptr<const PictureObject> ProgramIcon() override {
    if (fails) throw AppError("The specified resource type cannot be found in the image file.");
    return icon;
  }
  std::shared_ptr<const PictureObject> LockedIcon() override { return locked; }
};

class FakeProcess : public Process {
 public:
  int ends = 0;
  std::vector<std::string>* log = nullptr;
  void End() override {
    ++ends;
    if (log) log->push_back("End");
  }
};

// Registry values by root, subkey and name. `refuseOpen` makes every opening
// and reading fail, `refuseChange` every write and delete, with the given
// reason; under a `readOnly` root, as for a standard user under
// HKEY_LOCAL_MACHINE, only opening for setting values fails.
class FakeRegistry : public Registry {
 public:
  using Data = std::variant<std::string, std::uint32_t>;
  using Name = std::tuple<RegistryRoot, std::string, std::string>;
  std::map<Name, Data> values;
  bool refuseOpen = false;
  bool refuseChange = false;
  std::optional<RegistryRoot> readOnly;
  std::string reason = "Access is denied.";
  std::vector<std::uint32_t> openedWithAccess;

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, const std::string& subkey,
                                    std::uint32_t access) override {
    constexpr std::uint32_t kSetValue = 0x2;
    if (refuseOpen || (readOnly == root && (access & kSetValue) != 0)) throw AppError(reason);
    openedWithAccess.push_back(access);
    return std::make_unique<Key>(*this, root, subkey);
  }
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, const std::string& subkey,
                                      std::uint32_t access) override {
    return Open(root, subkey, access);
  }
  bool HasValue(RegistryRoot root, const std::string& subkey, const std::string& name) override {
    if (refuseOpen) throw AppError(reason);
    return values.count({root, subkey, name}) != 0;
  }

 private:
  class Key : public RegistryKey {
   public:
    Key(FakeRegistry& registry, RegistryRoot root, std::string subkey)
        : registry_(registry), root_(root), subkey_(std::move(subkey)) {}
    void SetString(const std::string& name, const std::string& text) override {
      Change();
      registry_.values[{root_, subkey_, name}] = text;
    }
    void SetDword(const std::string& name, std::uint32_t value) override {
      Change();
      registry_.values[{root_, subkey_, name}] = value;
    }
    void DeleteValue(const std::string& name) override {
      Change();
      registry_.values.erase({root_, subkey_, name});
    }

   private:
    void Change() {
      if (registry_.refuseChange) throw AppError(registry_.reason);
    }
    FakeRegistry& registry_;
    RegistryRoot root_;
    std::string subkey_;
  };
};

// Settings by application, section and key.
class FakeSettingsStore : public SettingsStore {
 public:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  int writes = 0;

  std::string Get(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& fallback) override {
    auto it = values.find({application, section, key});
    return it == values.end() ? fallback : it->second;
  }
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override {
    ++writes;
    values[{application, section, key}] = value;
  }
  // A setting of this program, empty when absent.
  std::string Setting(const std::string& key) {
    auto it = values.find({"Varnholt", "Tallowmere", key});
    return it == values.end() ? std::string() : it->second;
  }
};

// Everything a Form1 needs, faked.
struct FakePlatform {
  FakeFiles files;
  FakeEnvironment environment;
  FakeDialogs dialogs;
  FakeInput input;
  FakeView view;
  FakeRegistry registry;
  FakeSettingsStore settings;
  FakeTrayPlatform tray;
  FakeResources resources;
  FakeProcess process;
  FakePictures pictures;
  FakeSkin skin;
  FakeHookCalls hooks;
  FakeBlockListSource blockList;
  // The services with another keyboard state, such as the real one, or other
  // hook calls.
  Platform With(InputState& otherInput, HookCalls& otherHooks) {
    return {files,     environment, dialogs,  registry, settings,   otherInput, tray.platform,
            resources, process,     pictures, skin,     otherHooks, blockList};
  }
  Platform platform = With(input, hooks);

  std::string BlockList() { return files.content["C:\\Temp\\xsettings.txt"]; }
};

}  // namespace tallowmere
