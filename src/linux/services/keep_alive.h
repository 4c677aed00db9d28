#pragma once
// Long engine work (a compaction, the count of a large table) runs on the
// program's only thread, the one that also paints the windows. It calls
// KeepAlive() now and then, so that the window toolkit, which installs a
// hook while a progress box is up, can keep that box painted. The services
// know nothing of the toolkit.

#include <functional>

namespace korvane::linux_edition {

using KeepAliveHook = std::function<void()>;

// Installs `hook` (empty: none) and returns the one it replaces.
KeepAliveHook SetKeepAliveHook(KeepAliveHook hook);

// Runs the installed hook, if any. A hook that raises is ignored: keeping a
// window painted must never end the work.
void KeepAlive() noexcept;

}  // namespace korvane::linux_edition
