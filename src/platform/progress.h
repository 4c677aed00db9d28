#pragma once
// Long work the user watches while it runs: the backup's copy and the
// compaction of the back-end.

#include <cstdint>

namespace korvane {

// Where long work tells how far it has got.
class Progress {
 public:
  virtual ~Progress() = default;
  // `done` of `total` units (bytes for a copy). Returns false once the user
  // has asked to cancel. Never raises.
  virtual bool Advance(std::uint64_t done, std::uint64_t total) noexcept = 0;
};

// Progress that nobody watches and nobody cancels.
class UnwatchedProgress final : public Progress {
 public:
  bool Advance(std::uint64_t, std::uint64_t) noexcept override { return true; }
};

}  // namespace korvane
