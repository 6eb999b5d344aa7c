#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tallowmere::test {

// The pixels of the whole screen at one moment, as every program's windows
// put them there. Colours are 0xBBGGRR, as the program writes them.
class ScreenCapture {
 public:
  static ScreenCapture Take();

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // The colour that most pixels inside the rectangle (screen coordinates,
  // clipped to the screen) have; a control's face colour even where its
  // caption is drawn over it. 0xFFFFFFFF for an empty rectangle.
  COLORREF MostCommonColour(const RECT& rect) const;
  // The mean difference per colour byte from another capture inside the rectangle.
  double Difference(const ScreenCapture& other, const RECT& rect) const;
  // Writes a 24-bit BMP file.
  void Save(const std::filesystem::path& file) const;

 private:
  ScreenCapture(int width, int height, std::vector<std::uint32_t> pixels);

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

// Saves the screen for a person to look at, beside the test program in the
// folder "e2e-screenshots", and returns the file's path.
std::filesystem::path SaveScreenshot(std::wstring_view name);

// The rectangle shrunk by the same margin on every side.
RECT Inset(const RECT& rect, int margin);

// The colour of a control's face on the screen now, a caption on it aside.
COLORREF FaceColour(HWND control);

}  // namespace tallowmere::test
