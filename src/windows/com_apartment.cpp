#include "windows/com_apartment.h"

namespace korvane::windows {

bool ComApartment::Enter() {
  if (tried_) return entered_;
  tried_ = true;
  entered_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  if (entered_ && filter_) CoRegisterMessageFilter(filter_, nullptr);
  return entered_;
}

void ComApartment::Leave() {
  if (entered_) CoUninitialize();  // the filter goes with the apartment
  entered_ = false;
  tried_ = false;
}

}  // namespace korvane::windows
