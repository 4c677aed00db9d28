#pragma once
// The workgroup account and the passwords built into the launcher: one home
// for each, and the texts the support log never shows.

namespace korvane {

inline constexpr char16_t kWorkgroupAccount[] = u"qorvu";
inline constexpr char16_t kWorkgroupPassword[] = u"pelmo";
// The data back-end's database password.
inline constexpr char16_t kBackEndDatabasePassword[] = u"tandr4820517";

}  // namespace korvane
