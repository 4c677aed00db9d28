#include "linux/services/jet_checks.h"

#include <sys/stat.h>

#include "linux/services/ascii_text.h"
#include "linux/services/engine_errors.h"
#include "linux/services/stand_in_format.h"
#include "linux/services/windows_paths.h"
#include "platform/database_engine.h"

namespace korvane::linux_edition {
namespace {

constexpr char16_t kOpenSource[] = u"OpenDatabase";
constexpr char16_t kDefaultAccount[] = u"admin";

}  // namespace

std::string ExistingDatabaseFile(const Text& windowsPath) {
  std::string path;
  try {
    path = ToPosixPath(windowsPath);
  } catch (const Error&) {
    throw EngineError(EngineFault::kFileNotFound, windowsPath);
  }
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    throw EngineError(EngineFault::kFileNotFound, windowsPath);
  }
  return path;
}

FileLock SharedDatabaseLock(const std::string& path, const Text& shown) {
  try {
    return FileLock::Acquire(path, LockKind::kShared, kOpenSource);
  } catch (const Error& error) {
    if (error.Number() == EBUSY) throw EngineError(EngineFault::kFileInUse, shown);
    throw EngineError(EngineFault::kFileNotFound, shown);
  }
}

void CheckProvider(const ConnectionSettings& settings) {
  if (!settings.provider) throw EngineError(EngineFault::kNoProvider);
  if (AsciiLowered(*settings.provider) != AsciiLowered(kJetProvider)) {
    throw EngineError(EngineFault::kUnknownProvider);
  }
}

void CheckAccount(const ConnectionSettings& settings) {
  const Text account = settings.userId.empty() ? Text(kDefaultAccount) : settings.userId;
  if (settings.systemDatabase.empty()) {
    // The engine's own workgroup knows only Admin, without a password.
    if (AsciiLowered(account) != kDefaultAccount || !settings.password.empty()) {
      throw EngineError(EngineFault::kBadAccount);
    }
    return;
  }
  std::string path;
  try {
    path = ExistingDatabaseFile(settings.systemDatabase);
  } catch (const Error&) {
    throw EngineError(EngineFault::kWorkgroupMissing);
  }
  const FileLock lock = SharedDatabaseLock(path, settings.systemDatabase);
  const SqliteDatabase workgroup(path, SqliteDatabase::Mode::kReadOnly, settings.systemDatabase);
  if (!workgroup.HasTable("main", kAccountsTable))
    throw EngineError(EngineFault::kWorkgroupMissing);
  Statement query(workgroup, "SELECT Password FROM " + QuotedIdentifier(kAccountsTable) +
                                 " WHERE Name = ?1 COLLATE NOCASE");
  query.Bind(1, account);
  if (!query.Step() || query.ColumnText(0) != settings.password) {
    throw EngineError(EngineFault::kBadAccount);
  }
}

void CheckDatabasePassword(const SqliteDatabase& database, const std::string& schema,
                           const Text& password) {
  if (!database.HasTable(schema, kPasswordTable)) return;
  Statement query(database, "SELECT Password FROM " + QuotedIdentifier(schema) + "." +
                                QuotedIdentifier(kPasswordTable));
  while (query.Step()) {
    const Text stored = query.ColumnText(0);
    if (!stored.empty() && stored != password) {
      throw EngineError(EngineFault::kBadDatabasePassword);
    }
  }
}

}  // namespace korvane::linux_edition
