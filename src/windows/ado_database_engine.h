#pragma once
// The database engine through ADO 2.x ("ADODB.Connection",
// "ADODB.Recordset") and JRO ("JRO.JetEngine"), late-bound. A catalogue is
// a connection of its own that lists the tables through OpenSchema and
// counts each one's rows with a query.

#include "platform/database_engine.h"
#include "windows/automation_factory.h"

namespace korvane::windows {

inline constexpr char16_t kConnectionClass[] = u"ADODB.Connection";
inline constexpr char16_t kRecordsetClass[] = u"ADODB.Recordset";
inline constexpr char16_t kJetEngineClass[] = u"JRO.JetEngine";

class AdoDatabaseEngine final : public DatabaseEngine {
 public:
  explicit AdoDatabaseEngine(AutomationFactory& factory) : factory_(factory) {}

  std::unique_ptr<Connection> CreateConnection() override;
  std::unique_ptr<Recordset> CreateRecordset() override;
  std::unique_ptr<CompactionEngine> CreateCompactionEngine() override;
  std::unique_ptr<DatabaseCatalog> CreateCatalog() override;

 private:
  AutomationFactory& factory_;
};

}  // namespace korvane::windows
