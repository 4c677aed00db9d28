#pragma once
// The errors of the database engine stand-in, in the numbers and words of
// Jet 4.0 and ADO, so that what the launcher sees reads as it would on
// Windows.

#include "platform/error.h"

namespace korvane::linux_edition {

enum class EngineFault {
  kFileNotFound,         // detail: the path as given
  kBadAccount,           // unknown account or wrong password
  kBadDatabasePassword,  //
  kWorkgroupMissing,     // the workgroup file cannot be read
  kFileInUse,            // detail: the path
  kNotADatabase,         // detail: the path
  kDatabaseExists,       // compaction destination already there
  kNoProvider,           // connection text without the Jet provider
  kUnknownProvider,      //
  kBadConnectionText,    //
  kEmptyConnection,      // a recordset without connection text
  kObjectClosed,         // close of an object not open
  kObjectOpen,           // open of an object already open
  kNoCurrentRecord,      // a recordset without rows
  kNullValue,            // a field holding Null read as text
  kTableNotFound,        // detail: the table's name
  kQueryFailed,          // detail: the engine's own words
};

Error EngineError(EngineFault fault, const Text& detail = Text());

}  // namespace korvane::linux_edition
