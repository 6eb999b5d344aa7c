#include "ui/Skin.h"

#include "shell/ProgramFolder.h"
#include "ui/Form1.h"

namespace tallowmere {

namespace {

bool TakesFaceColour(ControlKind kind) {
  return kind == ControlKind::Frame || kind == ControlKind::TickBox || kind == ControlKind::Label;
}

}  // namespace

void ApplySkin(Form1& form, Files& files, Environment& environment, SkinControl& skin) {
  const std::string path = InProgramFolder(environment, kSkinFile);
  if (!files.ListsPlainFile(path)) return;

  form.SetBackColor(ControlId::Form1, kButtonFace);
  for (const ControlDef& control : kControls) {
    if (TakesFaceColour(control.kind)) form.SetBackColor(control.id, kButtonFace);
  }

  skin.LoadSkin(path, "");
  skin.SetOptions(skin.Options() | SkinControl::kSkinChildControls);
  skin.SetSkinText(true);
  skin.SetSkinBackground(true);
  // Window handles are 32-bit values even in a 64-bit process, so the cut
  // loses nothing.
  skin.ApplyWindow(static_cast<std::int32_t>(static_cast<std::uint32_t>(form.hWnd())));
}

}  // namespace tallowmere
