#include "windows/com_apartment.h"

#include "windows/busy_server_filter.h"
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
  if (entered) CoRegisterMessageFilter(&BusyServerFilter(), nullptr);
}

void LeaveComApartment() {
  if (entered) CoUninitialize();  // the filter goes with the apartment
  entered = false;
  tried = false;
}

}  // namespace korvane::windows
