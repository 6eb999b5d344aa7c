#pragma once

#include <map>
#include <string>
#include <vector>

#include "shell/AppError.h"
#include "ui/FormView.h"
#include "ui/Platform.h"

namespace tallowmere {

// In-memory files. Paths listed in `failing` refuse every operation.
class FakeFiles : public Files {
 public:
  std::map<std::string, std::string> content;
  std::vector<std::string> failing;
  int replaces = 0;

  bool Exists(const std::string& path) override { return content.count(path) != 0; }
  std::string ReadAll(const std::string& path) override {
    Check(path);
    auto it = content.find(path);
    if (it == content.end()) throw AppError("File not found");
    return it->second;
  }
  void Replace(const std::string& path, const std::string& text) override {
    Check(path);
    ++replaces;
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
};

struct ShownDialog {
  std::string text, caption;
  DialogIcon icon;
};

class FakeDialogs : public Dialogs {
 public:
  std::vector<ShownDialog> shown;
  void Show(const std::string& text, const std::string& caption, DialogIcon icon) override {
    shown.push_back({text, caption, icon});
  }
};

class FakeView : public FormView {
 public:
  std::vector<int> keys;
  std::vector<ControlId> controls;
  void KeyChanged(int index) override { keys.push_back(index); }
  void ControlChanged(ControlId id) override { controls.push_back(id); }
};

// Everything a Form1 needs, faked.
struct FakePlatform {
  FakeFiles files;
  FakeEnvironment environment;
  FakeDialogs dialogs;
  FakeView view;
  Platform platform{files, environment, dialogs};

  std::string BlockList() { return files.content["C:\\Temp\\xsettings.txt"]; }
};

}  // namespace tallowmere
