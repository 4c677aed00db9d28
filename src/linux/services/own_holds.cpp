#include "linux/services/own_holds.h"

#include <mutex>
#include <set>
#include <utility>

namespace korvane::linux_edition {
namespace {

using FileIdentity = std::pair<dev_t, ino_t>;

std::mutex& RecordLock() {
  static std::mutex lock;
  return lock;
}

std::multiset<FileIdentity>& Record() {
  static std::multiset<FileIdentity> held;
  return held;
}

}  // namespace

OwnHold::OwnHold(dev_t device, ino_t inode) : device_(device), inode_(inode) {
  const std::lock_guard guard(RecordLock());
  Record().emplace(device_, inode_);
}

OwnHold::~OwnHold() {
  const std::lock_guard guard(RecordLock());
  auto& held = Record();
  held.erase(held.find({device_, inode_}));
}

bool IsHeldByThisProcess(dev_t device, ino_t inode) {
  const std::lock_guard guard(RecordLock());
  return Record().count({device, inode}) > 0;
}

}  // namespace korvane::linux_edition
