#include "win/support/ScreenCapture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "platform/win32/Gdi.h"
#include "win/support/TallowmereBuild.h"
#include "win/support/WindowQueries.h"

namespace tallowmere::test {
namespace {

COLORREF FromPixel(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

template <typename T>
void Put(std::ofstream& out, T value) {
  for (std::size_t i = 0; i < sizeof(T); ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

ScreenCapture::ScreenCapture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

ScreenCapture ScreenCapture::Take() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  WindowDC screen(nullptr);
  MemoryDC memory;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen.Get() || !memory.Get() || !bitmap || !bits)
    throw std::runtime_error("cannot capture the screen");
  {
    SelectScope selection(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT)) {
      throw std::runtime_error("cannot copy the screen");
    }
    GdiFlush();
  }
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width) * height);
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  return ScreenCapture(width, height, std::move(pixels));
}

COLORREF ScreenCapture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("outside the screen");
  return FromPixel(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

COLORREF ScreenCapture::MostCommonColour(const RECT& rect) const {
  const int left = std::max<int>(rect.left, 0), right = std::min<int>(rect.right, width_);
  const int top = std::max<int>(rect.top, 0), bottom = std::min<int>(rect.bottom, height_);
  std::unordered_map<std::uint32_t, int> counts;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) ++counts[pixels_[static_cast<std::size_t>(y) * width_ + x]];
  }
  if (counts.empty()) return 0xFFFFFFFF;
  const auto most =
      std::max_element(counts.begin(), counts.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  return FromPixel(most->first);
}

double ScreenCapture::Difference(const ScreenCapture& other, const RECT& rect) const {
  double sum = 0;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    for (LONG x = rect.left; x < rect.right; ++x) {
      const COLORREF a = At(x, y), b = other.At(x, y);
      sum += std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
             std::abs(GetBValue(a) - GetBValue(b));
    }
  }
  return sum / (3.0 * (rect.right - rect.left) * (rect.bottom - rect.top));
}

void ScreenCapture::Save(const std::filesystem::path& file) const {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height_);
  std::ofstream out(file, std::ios::binary);
  out.put('B');
  out.put('M');
  Put<std::uint32_t>(out, 54 + imageBytes);
  Put<std::uint32_t>(out, 0);
  Put<std::uint32_t>(out, 54);
  Put<std::uint32_t>(out, 40);
  Put<std::int32_t>(out, width_);
  Put<std::int32_t>(out, -height_);  // top-down rows
  Put<std::uint16_t>(out, 1);
  Put<std::uint16_t>(out, 24);
  for (int i = 0; i < 6; ++i) Put<std::uint32_t>(out, 0);
  std::vector<char> row(rowBytes, 0);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
      row[static_cast<std::size_t>(x) * 3] = static_cast<char>(pixel & 0xFF);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  if (!out) throw std::runtime_error("cannot write the screenshot");
}

std::filesystem::path SaveScreenshot(std::wstring_view name) {
  const auto folder = TestProgramFolder() / L"e2e-screenshots";
  std::filesystem::create_directories(folder);
  auto file = folder / (std::wstring(name) + L".bmp");
  ScreenCapture::Take().Save(file);
  return file;
}

RECT Inset(const RECT& rect, int margin) {
  return {rect.left + margin, rect.top + margin, rect.right - margin, rect.bottom - margin};
}

COLORREF FaceColour(HWND control) {
  return ScreenCapture::Take().MostCommonColour(Inset(ScreenRect(control), 3));
}

}  // namespace tallowmere::test
