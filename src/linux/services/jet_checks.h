#pragma once
// What the engine checks before it opens a database: the provider, the
// workgroup account, the file itself (present, and not used alone by
// another program: its shared lock is taken) and the database password.

#include <string>

#include "linux/services/connection_text.h"
#include "linux/services/file_lock.h"
#include "linux/services/sqlite_database.h"

namespace korvane::linux_edition {

// The POSIX path of an existing file named by a Windows path, or the
// engine's "Could not find file".
std::string ExistingDatabaseFile(const Text& windowsPath);

// Takes the shared lock an open database holds, or the engine's "file
// already in use".
FileLock SharedDatabaseLock(const std::string& path, const Text& shown);

// Raises unless the settings name the Jet provider (without regard to case).
void CheckProvider(const ConnectionSettings& settings);

// Checks the account against the workgroup file the settings name (or the
// engine's default account "Admin" without a password, when they name none).
void CheckAccount(const ConnectionSettings& settings);

// Raises unless `password` opens a database whose stored password is
// `stored` (none when empty).
void CheckDatabasePassword(const SqliteDatabase& database, const std::string& schema,
                           const Text& password);

}  // namespace korvane::linux_edition
