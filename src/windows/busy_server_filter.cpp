#include "windows/busy_server_filter.h"

namespace korvane::windows {
namespace {

class Filter final : public IMessageFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IMessageFilter) {
      *object = static_cast<IMessageFilter*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // The launcher serves no calls of its own; whatever comes in is let through.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
    return RetryPause(rejectType, elapsedMs);
  }
  // While a call waits, the window is still painted; its commands and its
  // close box are refused meanwhile by the window itself.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }
};

}  // namespace

DWORD RetryPause(DWORD rejectType, DWORD elapsedMs) {
  if (rejectType != SERVERCALL_RETRYLATER || elapsedMs >= kRetryWindowMs) return kCancelCall;
  return kRetryPauseMs;
}

IMessageFilter& BusyServerFilter() {
  static Filter filter;
  return filter;
}

}  // namespace korvane::windows
