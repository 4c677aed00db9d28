#pragma once
// The window's background: the GIF banner stored in the executable, drawn at
// its own pixel size from the client area's top-left corner.

#include "windows/com_ptr.h"
#include "windows/win32.h"

#include <olectl.h>

namespace korvane::windows {

class BannerPicture {
 public:
  // Loads the RCDATA resource `resourceId` of this executable; without it,
  // or when it cannot be decoded, the window is simply drawn without one.
  explicit BannerPicture(int resourceId);

  // Draws the picture unscaled at (0, 0); the device context's clipping cuts
  // off what lies beyond the client area.
  void Draw(HDC dc) const;

 private:
  ComPtr<IPicture> picture_;
  SIZE pixels_{0, 0};
};

}  // namespace korvane::windows
