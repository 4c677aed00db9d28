#pragma once
// The titles of the launcher's message boxes: status notices and refusals,
// and the application's own.

namespace korvane {

// The title of a box whose caller gives none, and the main window's caption.
inline constexpr char16_t kApplicationTitle[] = u"TessalyKorvane";
inline constexpr char16_t kStatusTitle[] = u"系统运行状态";
inline constexpr char16_t kRefusalTitle[] = u"出错信息";

}  // namespace korvane
