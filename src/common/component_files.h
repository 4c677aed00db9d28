#pragma once
// The table of the three Korvane files that lie beside the launcher.

#include <array>

#include "platform/text.h"

namespace korvane {

enum class ComponentFile : int { QueryFrontEnd = 0, MainFrontEnd = 1, WorkgroupFile = 2 };

inline constexpr char16_t kQueryFrontEndName[] = u"查询系统.mde";
inline constexpr char16_t kMainFrontEndName[] = u"系统前端.mde";
inline constexpr char16_t kWorkgroupFileName[] = u"Secured.mdw";

class ComponentFiles {
 public:
  static constexpr int kCount = 3;

  // Entry 0 "查询系统.mde", 1 "系统前端.mde", 2 "Secured.mdw".
  void Fill();
  // Every entry back to the empty text; the three slots stay.
  void Clear();

  const Text& operator[](ComponentFile file) const { return At(static_cast<int>(file)); }
  // Raises "subscript out of range" for an index outside 0 to 2.
  const Text& At(int index) const;

 private:
  std::array<Text, kCount> entries_;
};

}  // namespace korvane
