#pragma once
// The titles of the launcher's message boxes: status notices and refusals.

namespace korvane {

inline constexpr char16_t kStatusTitle[] = u"系统运行状态";
inline constexpr char16_t kRefusalTitle[] = u"出错信息";

}  // namespace korvane
