#include "common/component_files.h"

#include "platform/error.h"

namespace korvane {

void ComponentFiles::Fill() {
  entries_ = {kQueryFrontEndName, kMainFrontEndName, kWorkgroupFileName};
}

void ComponentFiles::Clear() {
  for (auto& entry : entries_) entry.clear();
}

const Text& ComponentFiles::At(int index) const {
  if (index < 0 || index >= kCount) {
    throw Error(error_number::kSubscriptOutOfRange, u"下标越界", kCoreErrorSource);
  }
  return entries_[static_cast<std::size_t>(index)];
}

}  // namespace korvane
