#include "platform/win32/Win32Pictures.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/win32/Owned.h"
#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

// A cursor loaded from a file; a picture of the icon kind, as the window
// toolkit sees cursors.
class CursorPicture final : public PictureObject {
 public:
  explicit CursorPicture(HCURSOR cursor) : cursor_(cursor) {}

  PictureType Type() const override { return PictureType::Icon; }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(cursor_.Get()); }

 private:
  struct CursorTraits {
    using Type = HCURSOR;
    static HCURSOR Empty() { return nullptr; }
    static void Release(HCURSOR cursor) { DestroyCursor(cursor); }
  };
  Owned<CursorTraits> cursor_;
};

}  // namespace

std::shared_ptr<const PictureObject> Win32Pictures::LoadPicture(const std::string& path) {
  SetLastError(ERROR_SUCCESS);
  const auto cursor = static_cast<HCURSOR>(LoadImageW(nullptr, Wide(path).c_str(), IMAGE_CURSOR, 0,
                                                      0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  if (!cursor) {
    // A readable file that holds no cursor leaves the error code alone.
    const DWORD error = GetLastError();
    throw AppError(error == ERROR_SUCCESS ? "Invalid picture" : SystemErrorText(error));
  }
  return std::make_shared<CursorPicture>(cursor);
}

}  // namespace tallowmere
