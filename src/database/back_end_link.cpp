#include "database/back_end_link.h"

#include "common/fixed_credentials.h"
#include "common/launcher.h"
#include "platform/database_engine.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"

namespace korvane {

Text MainFrontEndConnectionText(const Launcher& launcher) {
  return u"Data Source=" + launcher.ComponentPath(ComponentFile::MainFrontEnd) +
         u" ;jet oledb:system database=" + launcher.ComponentPath(ComponentFile::WorkgroupFile) +
         u";user id=" + kWorkgroupAccount + u";Password=" + kWorkgroupPassword;
}

Text BuildConnectionString(const Launcher& launcher) {
  Text result;
  LeaveSilentlyOnError([&] {
    const auto connection = launcher.engine.CreateConnection();
    connection->SetProvider(kJetProvider);
    connection->SetConnectionString(MainFrontEndConnectionText(launcher));
    connection->Open(Text(), Text(), Text(), kNoOptions);
    result = connection->ConnectionString();
    connection->Close();
  });
  return result;
}

Text FindBackEndPath(const Launcher& launcher) {
  Text result;
  LeaveOnError(
      [&] {
        const auto recordset = launcher.engine.CreateRecordset();
        recordset->Open(kBackEndDiscoveryQuery, BuildConnectionString(launcher), kDynamicCursor,
                        kOptimisticLock, kNoOptions);
        result = recordset->FirstFieldText();
        recordset->Close();
      },
      [&](const Error&) { result.clear(); });
  return result;
}

}  // namespace korvane
