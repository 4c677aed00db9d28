#pragma once
// Kernel object handles (processes, threads, mutexes) owned like any other
// resource, so that every path closes them.

#include <memory>

#include "windows/win32.h"

namespace korvane::windows {

struct HandleCloser {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};

// Null is "no handle". Functions that answer INVALID_HANDLE_VALUE on failure
// (CreateFile, FindFirstFile) need an owner of their own.
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace korvane::windows
