#include "linux/services/engine_errors.h"

namespace korvane::linux_edition {
namespace {

constexpr char16_t kJet[] = u"Microsoft JET Database Engine";
constexpr char16_t kConnection[] = u"ADODB.Connection";
constexpr char16_t kRecordset[] = u"ADODB.Recordset";
constexpr char16_t kField[] = u"ADODB.Field";

Text Quoted(const Text& detail) {
  return u"'" + detail + u"'";
}

}  // namespace

Error EngineError(EngineFault fault, const Text& detail) {
  switch (fault) {
    case EngineFault::kFileNotFound:
      return Error(3024, u"Could not find file " + Quoted(detail) + u".", kJet);
    case EngineFault::kBadAccount:
      return Error(3029, u"Not a valid account name or password.", kJet);
    case EngineFault::kBadDatabasePassword:
      return Error(3031, u"Not a valid password.", kJet);
    case EngineFault::kWorkgroupMissing:
      return Error(3028,
                   u"Cannot start your application. The workgroup information file is missing "
                   u"or opened exclusively by another user.",
                   kJet);
    case EngineFault::kFileInUse:
      return Error(3045, u"Could not use " + Quoted(detail) + u"; file already in use.", kJet);
    case EngineFault::kNotADatabase:
      return Error(3343, u"Unrecognized database format " + Quoted(detail) + u".", kJet);
    case EngineFault::kDatabaseExists:
      return Error(3204, u"Database already exists.", kJet);
    case EngineFault::kNoProvider:
      return Error(-2147467259,
                   u"[Microsoft][ODBC Driver Manager] Data source name not found and no default "
                   u"driver specified",
                   u"Microsoft OLE DB Provider for ODBC Drivers");
    case EngineFault::kUnknownProvider:
      return Error(3706, u"Provider cannot be found. It may not be properly installed.",
                   kConnection);
    case EngineFault::kBadConnectionText:
      return Error(-2147217805, u"Format of the initialization string is not valid.", kConnection);
    case EngineFault::kEmptyConnection:
      return Error(3709,
                   u"The connection cannot be used to perform this operation. It is either "
                   u"closed or invalid in this context.",
                   kRecordset);
    case EngineFault::kObjectClosed:
      return Error(3704, u"Operation is not allowed when the object is closed.", kRecordset);
    case EngineFault::kObjectOpen:
      return Error(3705, u"Operation is not allowed when the object is open.", kRecordset);
    case EngineFault::kNoCurrentRecord:
      return Error(3021,
                   u"Either BOF or EOF is True, or the current record has been deleted. "
                   u"Requested operation requires a current record.",
                   kField);
    case EngineFault::kNullValue:
      return Error(94, u"Invalid use of Null", kField);
    case EngineFault::kTableNotFound:
      return Error(3078,
                   u"The Microsoft Jet database engine cannot find the input table or query " +
                       Quoted(detail) +
                       u". Make sure it exists and that its name is spelled "
                       u"correctly.",
                   kJet);
    case EngineFault::kQueryFailed:
      return Error(-2147217900, detail, kJet);
  }
  return Error(-2147467259, detail, kJet);
}

}  // namespace korvane::linux_edition
