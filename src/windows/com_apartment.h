#pragma once
// A thread's single-threaded COM apartment, owned by one object: entered the
// first time something needs COM (on the window's thread: the banner's
// decoder, automation, the file dialog, the help viewer) rather than at
// start, so that ole32 is not loaded before the window first appears, and
// left when its owner goes, after the COM objects declared after it.

#include "windows/win32.h"

namespace korvane::windows {

class ComApartment {
 public:
  // `filter`, when given, is registered for the apartment once it is
  // entered and goes with it.
  explicit ComApartment(IMessageFilter* filter = nullptr) : filter_(filter) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() { Leave(); }

  // Enters the apartment on the calling thread, which must be the owner's,
  // once; later calls only say whether it was entered. When it cannot be,
  // COM calls made afterwards fail and report their own errors.
  bool Enter();

  // Leaves the apartment if Enter entered it; the last COM object must be
  // gone by then. For a program that ends before the owner does.
  void Leave();

 private:
  IMessageFilter* filter_;
  bool tried_ = false;
  bool entered_ = false;
};

}  // namespace korvane::windows
