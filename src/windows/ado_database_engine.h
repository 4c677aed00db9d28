#pragma once
// The database engine through ADO 2.x ("ADODB.Connection",
// "ADODB.Recordset") and JRO ("JRO.JetEngine"), late-bound.

#include "database/database_engine.h"
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

 private:
  AutomationFactory& factory_;
};

}  // namespace korvane::windows
