#include "linux/services/keep_alive.h"

#include <utility>

namespace korvane::linux_edition {
namespace {

KeepAliveHook& InstalledHook() {
  static KeepAliveHook hook;
  return hook;
}

}  // namespace

KeepAliveHook SetKeepAliveHook(KeepAliveHook hook) {
  return std::exchange(InstalledHook(), std::move(hook));
}

void KeepAlive() noexcept {
  try {
    if (const KeepAliveHook& hook = InstalledHook()) hook();
  } catch (...) {
  }
}

}  // namespace korvane::linux_edition
