#include "win/support/ErrorBoxes.h"

#include "win/support/WindowQueries.h"

namespace tallowmere::test {

std::vector<HWND> ErrorBoxes(const RunningProgram& program, std::wstring_view caption) {
  std::vector<HWND> boxes;
  for (HWND window : program.TopLevelWindows()) {
    if (IsWindowVisible(window) && WindowText(window) == caption) boxes.push_back(window);
  }
  return boxes;
}

std::wstring BoxMessage(HWND box) {
  std::wstring message;
  for (HWND child : AllChildren(box)) {
    if (ClassName(child) != L"Static") continue;
    std::wstring text = WindowText(child);
    if (text.size() > message.size()) message = std::move(text);
  }
  return message;
}

}  // namespace tallowmere::test
