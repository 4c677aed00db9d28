#include "windows/banner_picture.h"

#include <cstring>

#include "windows/com_apartment.h"

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

// The picture's size in pixels: a bitmap's own, otherwise its HIMETRIC
// extent at the screen's resolution.
SIZE PixelSize(IPicture& picture) {
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  BITMAP bitmap;
  if (SUCCEEDED(picture.get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture.get_Handle(&handle)) &&
      GetObjectW(BitmapOf(handle), sizeof bitmap, &bitmap) == sizeof bitmap) {
    return {bitmap.bmWidth, bitmap.bmHeight};
  }
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture.get_Width(&width);
  picture.get_Height(&height);
  HDC screen = GetDC(nullptr);
  const SIZE size{MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540),
                  MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  ReleaseDC(nullptr, screen);
  return size;
}

}  // namespace

void BannerPicture::Load() {
  loaded_ = true;
  EnterComApartment();
  DWORD size = 0;
  const ComPtr<IStream> stream = StreamOverResource(resourceId_, size);
  if (!stream) return;
  if (FAILED(
          OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture, &picture_))) {
    picture_.Reset();
    return;
  }
  pixels_ = PixelSize(*picture_.Get());
}

void BannerPicture::Draw(HDC dc) {
  if (!loaded_) Load();
  if (!picture_) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  // The source rectangle runs bottom-up in HIMETRIC: start at the height and
  // go up by it.
  picture_->Render(dc, 0, 0, pixels_.cx, pixels_.cy, 0, height, width, -height, nullptr);
}

}  // namespace korvane::windows
