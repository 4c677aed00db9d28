#pragma once
// The one way the Windows edition includes the Windows headers. <windows.h>
// defines CopyFile, DeleteFile and ReplaceFile as macros that would rename
// the host services' members of the same names; they are removed here, and
// the adapters call the wide functions (CopyFileW, ...) by their own names.
// COM references are owned by WRL's ComPtr, which mingw-w64 ships too.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <ole2.h>
#include <oleauto.h>
#include <wrl/client.h>

#undef CopyFile
#undef DeleteFile
#undef ReplaceFile

namespace korvane::windows {

using Microsoft::WRL::ComPtr;

}  // namespace korvane::windows
