#include "win/support/TallowmereUnderTest.h"

#include "win/support/Registry.h"
#include "win/support/TallowmereBuild.h"

namespace tallowmere::test {

TallowmereUnderTest::TallowmereUnderTest(std::wstring_view tempName)
    : temp_(folder_.MakeFolder(tempName)),
      programFolder_(InstallProgram(folder_).parent_path()),
      programTemp_(temp_) {
  DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey);
}

HWND TallowmereUnderTest::Start() {
  Launch();
  window_ = program_->WaitForMainWindow(kMainWindowTitle);
  return window_;
}

void TallowmereUnderTest::Launch() {
  program_ = std::make_unique<RunningProgram>(
      ProgramStart{programFolder_ / L"Tallowmere.exe", programTemp_, std::wstring()});
}

}  // namespace tallowmere::test
