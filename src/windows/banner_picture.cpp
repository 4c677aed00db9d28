#include "windows/banner_picture.h"

#include <cstring>

#include "windows/com_apartment.h"
#include "windows/display_dpi.h"

namespace korvane::windows {
namespace {

ComPtr<IStream> StreamOverResource(int resourceId, DWORD& size) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  size = SizeofResource(nullptr, found);
  if (!bytes || size == 0) return {};
  // The stream owns a movable copy; resource memory cannot back a stream.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return {};
  void* target = GlobalLock(copy);
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return {};
  }
  return stream;
}

// A picture's handle is 32 bits wide; a 64-bit process holds the same GDI
// handle sign-extended.
HGDIOBJ BitmapOf(OLE_HANDLE handle) {
  return reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
}

// The picture's size in pixels at 96 DPI: a bitmap's own, otherwise its
// HIMETRIC extent at 96 DPI.
SIZE SizeAt96Dpi(IPicture& picture) {
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  BITMAP bitmap;
  if (SUCCEEDED(picture.get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture.get_Handle(&handle)) &&
      GetObjectW(BitmapOf(handle), sizeof bitmap, &bitmap) == sizeof bitmap) {
    return {bitmap.bmWidth, bitmap.bmHeight};
  }
  constexpr int kHimetricPerInch = 2540;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture.get_Width(&width);
  picture.get_Height(&height);
  return {MulDiv(width, kBaseDpi, kHimetricPerInch), MulDiv(height, kBaseDpi, kHimetricPerInch)};
}

// Runs `draw` with a memory device context like `dc` that has `bitmap`
// selected.
template <typename Draw>
void WithBitmap(HDC dc, HBITMAP bitmap, Draw draw) {
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  draw(memory);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

}  // namespace

BannerPicture::~BannerPicture() {
  if (pixels_) DeleteObject(pixels_);
}

void BannerPicture::Load(HDC dc) {
  loaded_ = true;
  apartment_.Enter();
  DWORD size = 0;
  const ComPtr<IStream> stream = StreamOverResource(resourceId_, size);
  if (!stream) return;
  ComPtr<IPicture> picture;
  if (FAILED(
          OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture, &picture))) {
    return;
  }
  size_ = SizeAt96Dpi(*picture.Get());
  pixels_ = CreateCompatibleBitmap(dc, size_.cx, size_.cy);
  if (!pixels_) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  // The source rectangle runs bottom-up in HIMETRIC: start at the height and
  // go up by it.
  WithBitmap(dc, pixels_, [&](HDC memory) {
    picture->Render(memory, 0, 0, size_.cx, size_.cy, 0, height, width, -height, nullptr);
  });
}

void BannerPicture::Draw(HDC dc, int dpi) {
  if (!loaded_) Load(dc);
  if (!pixels_) return;
  const int width = AtDpi(size_.cx, dpi);
  const int height = AtDpi(size_.cy, dpi);
  WithBitmap(dc, pixels_, [&](HDC memory) {
    if (width == size_.cx && height == size_.cy) {
      BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
      return;
    }
    // HALFTONE averages the picture's pixels over each one drawn, where the
    // default mode repeats and drops whole rows and columns; it wants the
    // brush origin set after it.
    const int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, 0, 0, width, height, memory, 0, 0, size_.cx, size_.cy, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
  });
}

}  // namespace korvane::windows
