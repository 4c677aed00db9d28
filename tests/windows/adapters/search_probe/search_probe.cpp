// A DLL with nothing in it, which the DLL search test looks for by name.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
