#pragma once
// The program's single-threaded COM apartment, entered the first time
// something needs COM (the banner's decoder, automation, the file dialog,
// the help viewer) rather than at start, so that ole32 is not loaded before
// the window first appears.

namespace korvane::windows {

// Enters the apartment on the calling thread, the window's thread, once,
// with the busy-server filter registered; later calls do nothing. When it
// cannot be entered, COM calls made afterwards fail and report their own
// errors.
void EnterComApartment();

// Leaves the apartment, and with it the filter, if EnterComApartment entered
// it; the last COM object must be gone by then.
void LeaveComApartment();

}  // namespace korvane::windows
