#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/BlockList.h"
#include "shell/ErrorTrap.h"
#include "shell/Main.h"
#include "shell/ProgramFolder.h"
#include "ui/Form1.h"
#include "ui/Skin.h"

namespace tallowmere {

void Form1::Form_Load() {
  ErrorTrap trap(platform_.dialogs, "Form_Load");
  trap.Step(100, [&] { ApplySkin(*this, platform_.files, platform_.environment, platform_.skin); });
  trap.Step(102, [&] { bLoading = true; });
  if (trap.Test(106, [&] {
        return FileExists(platform_.files, InProgramFolder(platform_.environment, kPointerFile));
      })) {
    trap.Step(108, [&] {
      SetMouseIcon(
          platform_.pictures.LoadPicture(InProgramFolder(platform_.environment, kPointerFile)));
    });
  }
  trap.Step(110, [&] { SetCaption(ControlId::Form1, std::string(kProductName)); });
  trap.Step(110, [&] { SetIcon(platform_.resources.ProgramIcon()); });
  trap.Step(110, [&] { SetApplicationTitle(); });

  trap.Step(130, [&] { cSysTray1.TrayTip(std::string(kProductName)); });
  trap.Step(130, [&] { SetIcon(platform_.resources.ProgramIcon()); });
  // In the tray for the whole run; closing the window takes it out.
  trap.Step(132, [&] { cSysTray1.InTray(true); });

  std::string path;
  trap.Step(134, [&] { path = BlockListPath(platform_.environment); });
  if (trap.Test(136, [&] { return !platform_.files.Exists(path); })) {
    trap.Step(138, [&] {
      platform_.files.Copy(InProgramFolder(platform_.environment, kBlockListFileName), path);
    });
  }

  // A list that cannot be opened leaves the text empty: nothing is restored
  // and nothing else fails, so its one report is the only one.
  std::string content;
  trap.Step(140, [&] { content = platform_.files.ReadAll(path); });
  std::string_view joined;
  // What lies beyond the hooks' reach would show keys marked that are never
  // blocked, and a list of megabytes would hold the load for a long time.
  trap.Step(142, [&] { joined = JoinLines(content.data(), BlockListExtent(content)); });
  std::vector<std::string> entries;
  trap.Step(150, [&] { entries = PiecesBeforeCommas(joined); });
  RestoreBlockList(trap, entries);

  trap.Step(kRestoreStartupOptionsLine,
            [&] { SetValue(ControlId::Check6, startupSettings_.WindowsStartup() ? 1 : 0); });
  trap.Step(182, [&] { SetValue(ControlId::Check8, startupSettings_.Minimized() ? 1 : 0); });
  if (trap.Test(184, [&] {
        return Tick(ControlId::Check6).Value == 1 && Tick(ControlId::Check8).Value == 1;
      })) {
    trap.Step(186, [&] { PushButton6_Click(); });
  }
  trap.Step(188, [&] { bLoading = false; });
}

// Every key comes first, then the mouse options: ticking a box saves the list
// from the window, and a key the file names after a mouse entry would
// otherwise be missing from that save.
void Form1::RestoreBlockList(ErrorTrap& trap, const std::vector<std::string>& entries) {
  const int last = static_cast<int>(entries.size()) - 1;
  trap.For(152, 0, last, [&](int e) {
    trap.For(154, 0, kLastKeyIndex, [&](int i) {
      if (trap.Test(156, [&] { return entries[e] == cmdKey[i].Tag; })) {
        trap.Step(158, [&] { SetKeyBackColor(i, kMarkedColor); });
      }
    });
  });
  trap.For(152, 0, last, [&](int e) {
    for (const MouseOption& option : kMouseOptions) {
      if (trap.Test(option.restoreLine, [&] {
            const std::vector<std::string_view> own = AllPieces(option.entries);
            return std::find(own.begin(), own.end(), entries[e]) != own.end();
          })) {
        trap.Step(option.restoreLine + 2, [&] { SetValue(option.box, 1); });
      }
    }
  });
}

}  // namespace tallowmere
