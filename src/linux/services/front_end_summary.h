#pragma once
// What the Access stand-in shows of an open front-end: its application
// title and its linked tables with their row counts.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

namespace korvane::linux_edition {

struct LinkedTableSummary {
  Text name;
  Text database;          // Windows path of the back-end
  std::int64_t rows = 0;  // -1 when the linked table cannot be read
};

struct FrontEndSummary {
  Text appTitle;
  std::vector<LinkedTableSummary> tables;
  std::vector<std::string> files;  // POSIX paths: the front-end, then each back-end once
};

// Opens the front-end under the account the connection text names, as the
// engine does (same checks, same errors), and reads it.
FrontEndSummary SummariseFrontEnd(TextView connectionText);

}  // namespace korvane::linux_edition
