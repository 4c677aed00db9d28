#include "windows/com_apartment.h"

#include "windows/win32.h"

namespace korvane::windows {
namespace {

bool tried = false;
bool entered = false;

}  // namespace

void EnterComApartment() {
  if (tried) return;
  tried = true;
  entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void LeaveComApartment() {
  if (entered) CoUninitialize();
  entered = false;
  tried = false;
}

}  // namespace korvane::windows
