#include "linux/services/compaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "linux/services/compaction_fault.h"
#include "linux/services/engine_errors.h"
#include "linux/services/file_lock.h"
#include "linux/services/jet_database.h"
#include "linux/services/rename_without_replacing.h"
#include "linux/services/scratch_file.h"
#include "linux/services/sqlite_database.h"
#include "linux/services/stand_in_format.h"
#include "linux/services/utf8_text.h"
#include "linux/services/windows_paths.h"
#include "platform/database_engine.h"

namespace korvane::linux_edition {
namespace {

constexpr char16_t kSource[] = u"CompactDatabase";

std::string PosixOrNotFound(const Text& windowsPath) {
  try {
    return ToPosixPath(windowsPath);
  } catch (const Error&) {
    throw EngineError(EngineFault::kFileNotFound, windowsPath);
  }
}

// The compacted copy's password table holds the destination's password.
void WritePassword(const std::string& path, const Text& shown, const Text& password) {
  const SqliteDatabase copy(path, SqliteDatabase::Mode::kReadWrite, shown);
  copy.Execute("BEGIN IMMEDIATE");
  StoreDatabasePassword(copy, password);
  copy.Execute("COMMIT");
}

// What `open` returns; its failure as the engine reports a file that is
// held by another program or cannot be opened.
template <class Open>
auto InEngineTerms(const Text& file, Open open) {
  try {
    return open();
  } catch (const Error& error) {
    if (error.Number() == EBUSY) throw EngineError(EngineFault::kFileInUse, file);
    throw EngineError(EngineFault::kFileNotFound, file);
  }
}

}  // namespace

void Compact(const ConnectionSettings& source, const ConnectionSettings& destination) {
  CheckProvider(source);
  CheckProvider(destination);
  const std::string from = PosixOrNotFound(source.dataSource);
  const std::string to = PosixOrNotFound(destination.dataSource);

  struct stat status {};
  if (::stat(from.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    throw EngineError(EngineFault::kFileNotFound, source.dataSource);
  }
  if (::lstat(to.c_str(), &status) == 0) throw EngineError(EngineFault::kDatabaseExists);

  const FileLock held = InEngineTerms(
      source.dataSource, [&] { return FileLock::Acquire(from, LockKind::kExclusive, kSource); });
  struct stat sourceStatus {};
  ::fstat(held.Descriptor(), &sourceStatus);

  // Written beside the destination under a fixed name, so that the next
  // compaction removes what a killed one left behind.
  ScratchFile scratch =
      InEngineTerms(destination.dataSource, [&] { return ScratchFile(to, "compacting", kSource); });

  {
    const SqliteDatabase original(from, SqliteDatabase::Mode::kReadOnly, source.dataSource);
    CheckDatabasePassword(original, "main", source.databasePassword);
    Statement vacuum(original, "VACUUM INTO ?1");
    vacuum.Bind(1, FromUtf8(scratch.Path()));
    vacuum.Step();
  }
  ApplyCompactionFault(scratch.Path(), destination.dataSource);
  WritePassword(scratch.Path(), destination.dataSource, destination.databasePassword);
  // The source's permissions, but a new file is never read-only: the
  // engine writes a fresh database, not a copy of the file's attributes.
  ::chmod(scratch.Path().c_str(), (sourceStatus.st_mode & 0666) | S_IWUSR);

  // The destination's name is taken only by a complete copy, and never from
  // a file that appeared there meanwhile.
  if (const int error = RenameWithoutReplacing(scratch.Path(), to)) {
    if (error == EEXIST) throw EngineError(EngineFault::kDatabaseExists);
    throw EngineError(EngineFault::kQueryFailed,
                      u"Could not write '" + destination.dataSource + u"'.");
  }
  scratch.Kept();
}

}  // namespace korvane::linux_edition
