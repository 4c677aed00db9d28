#pragma once
// The window's background: the GIF banner stored in the executable, drawn
// from the client area's top-left corner at its own size at 96 DPI, scaled
// to the window's resolution.

#include "windows/com_apartment.h"
#include "windows/win32.h"

#include <olectl.h>

namespace korvane::windows {

class BannerPicture {
 public:
  // The picture is the RCDATA resource `resourceId` of this executable. It
  // is decoded when first drawn, so that decoding does not hold up the
  // window's first appearance. Without it, or when it cannot be decoded, the
  // window is simply drawn without one. The decoder runs in `apartment`.
  BannerPicture(int resourceId, ComApartment& apartment)
      : resourceId_(resourceId), apartment_(apartment) {}
  ~BannerPicture();
  BannerPicture(const BannerPicture&) = delete;
  BannerPicture& operator=(const BannerPicture&) = delete;

  // Draws the picture at (0, 0), its size at 96 DPI scaled to `dpi`; the
  // device context's clipping cuts off what lies beyond the client area.
  void Draw(HDC dc, int dpi);

 private:
  void Load(HDC dc);

  int resourceId_;
  ComApartment& apartment_;
  bool loaded_ = false;
  // The picture as decoded, at its own size: scaled from here on every
  // paint rather than decoded again.
  HBITMAP pixels_ = nullptr;
  SIZE size_{0, 0};
};

}  // namespace korvane::windows
