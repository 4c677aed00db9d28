#pragma once
// The window's background: the GIF banner stored in the executable, drawn at
// its own pixel size from the client area's top-left corner.

#include "windows/win32.h"

#include <olectl.h>

namespace korvane::windows {

class BannerPicture {
 public:
  // The picture is the RCDATA resource `resourceId` of this executable. It
  // is decoded when first drawn, so that decoding does not hold up the
  // window's first appearance. Without it, or when it cannot be decoded, the
  // window is simply drawn without one.
  explicit BannerPicture(int resourceId) : resourceId_(resourceId) {}

  // Draws the picture unscaled at (0, 0); the device context's clipping cuts
  // off what lies beyond the client area.
  void Draw(HDC dc);

 private:
  void Load();

  int resourceId_;
  bool loaded_ = false;
  ComPtr<IPicture> picture_;
  SIZE pixels_{0, 0};
};

}  // namespace korvane::windows
