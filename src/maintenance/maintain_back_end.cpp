#include "maintenance/maintain_back_end.h"

#include "common/command_record.h"
#include "common/launcher.h"
#include "database/back_end_link.h"
#include "platform/database_engine.h"
#include "maintenance/compacted_copy_check.h"
#include "platform/error.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"
#include "platform/message_titles.h"
#include "platform/window_surface.h"

namespace korvane {
namespace {

constexpr char16_t kNotFoundMessage[] = u"没有发现后端数据库文件无法进行操作";
constexpr char16_t kCompactedMessage[] = u"后端数据压缩工作已经结束";
constexpr char16_t kBackedUpMessage[] = u"后端数据备份工作已经结束";
// What the progress box says while the work runs.
constexpr char16_t kCompactingLine[] = u"正在压缩后端数据…";
constexpr char16_t kBackingUpLine[] = u"正在备份后端数据…";
constexpr std::size_t kExtensionLength = 4;

// The back-end path less its last four characters, whatever they are.
Text StemOf(const Text& backEnd) {
  if (backEnd.size() < kExtensionLength) throw InvalidArgumentError();
  return backEnd.substr(0, backEnd.size() - kExtensionLength);
}

// Removes a file of the launcher's own if it is there, whatever its
// attributes: a user or a copy tool may have made it read-only, and it must
// not stop every later command.
void RemoveOwnFile(HostServices& host, const Text& path) {
  if (!host.FileExists(path)) return;
  host.MakeWritable(path);
  host.DeleteFile(path);
}

// Puts `replacement` in the place of `target`; what the swap left under
// `replaced` (the old file) goes afterwards, or with the next swap.
void Swap(HostServices& host, const Text& target, const Text& replacement, const Text& replaced) {
  RemoveOwnFile(host, replaced);
  host.ReplaceFile(target, replacement, replaced);
}

// Returns how the compaction ended, for the record.
const char16_t* Compact(Launcher& launcher, CompactionEngine& engine, const Text& backEnd) {
  HostServices& host = launcher.host;
  const Text stem = StemOf(backEnd);
  const Text scratch = stem + kScratchSuffix;
  const Text replaced = stem + kCompactionReplacedSuffix;
  // The compacted copy takes the back-end's own name and no other: a
  // back-end not named "<stem>.mdb" keeps its content, the copy stays as the
  // scratch file and the routine ends silently; no other file is replaced.
  const bool swapsIntoBackEnd = EqualsIgnoringAsciiCase(stem + u".mdb", backEnd);
  if (host.FileExists(scratch)) host.DeleteFile(scratch);
  // The engine holds the back-end alone only while it compacts: another
  // user may write it as soon as it returns. The stamp taken before tells
  // whether any write reached it since.
  const FileStamp beforeCompaction = host.StampOf(backEnd);
  {
    // The engine tells nothing of its progress: the box only shows that the
    // work goes on.
    const auto progress = launcher.window.ShowProgress(kCompactingLine, false);
    engine.CompactDatabase(kCompactionConnectionPrefix + backEnd,
                           kCompactionConnectionPrefix + scratch);
    if (!swapsIntoBackEnd) return outcome::kNotNamedMdb;
    // A compaction that repaired the back-end may have left records out:
    // such a copy stays as the scratch file and the back-end stays as it is.
    if (!CompactedCopyIsComplete(launcher.engine, kCheckConnectionPrefix + backEnd,
                                 kCheckConnectionPrefix + scratch)) {
      return outcome::kCopyIncomplete;
    }
  }
  {
    // From here to the swap no one else can write the back-end; a write
    // made since the compaction began keeps the back-end as it is.
    const auto hold = host.HoldAgainstWriters(backEnd);
    if (hold->Stamp() != beforeCompaction) return outcome::kBackEndChanged;
    // One step: the back-end's name never stands empty, even when this fails.
    Swap(host, backEnd, scratch, replaced);
  }
  ContinueOnError([&] { RemoveOwnFile(host, replaced); });
  host.ShowMessage(kCompactedMessage, Text(kStatusTitle), MessageButtons::kOk);
  return outcome::kDone;
}

// Copies the back-end beside the launcher under a name of its own first,
// while no other user can write it, so that the copy is one state of the
// database; the previous backup gives way only to a complete new one.
const char16_t* BackUp(Launcher& launcher, const Text& backEnd) {
  HostServices& host = launcher.host;
  const Text backUp = launcher.PathInProgramFolder(kBackUpFileName);
  const Text inProgress = launcher.PathInProgramFolder(kBackUpInProgressName);
  const Text replaced = launcher.PathInProgramFolder(kBackUpReplacedName);
  LeaveOnError(
      [&] {
        {
          const auto hold = host.HoldAgainstWriters(backEnd);
          // Cancelled, the copy fails like any other: the previous backup
          // stays.
          const auto progress = launcher.window.ShowProgress(kBackingUpLine, true);
          host.CopyFileWithProgress(backEnd, inProgress, *progress);
        }
        if (host.FileExists(backUp)) {
          host.MakeWritable(backUp);
          Swap(host, backUp, inProgress, replaced);
        } else {
          host.RenameFile(inProgress, backUp);
        }
      },
      [&](const Error& error) {
        // A swap that could neither finish nor be undone leaves the previous
        // backup under `replaced` and the backup's name free: the new copy
        // then stays too, the one complete backup of this back-end.
        ContinueOnError([&] {
          const bool stranded = !host.FileExists(backUp) && host.FileExists(replaced);
          if (!stranded) RemoveOwnFile(host, inProgress);
        });
        throw error;
      });
  ContinueOnError([&] { RemoveOwnFile(host, replaced); });
  host.ShowMessage(kBackedUpMessage, Text(kStatusTitle), MessageButtons::kOk);
  return outcome::kDone;
}

}  // namespace

void MaintainBackEnd(Launcher& launcher, const Text& action) {
  HostServices& host = launcher.host;
  const char16_t* ended = nullptr;
  const auto failure = LeaveSilentlyOnError([&] {
    const auto engine = launcher.engine.CreateCompactionEngine();
    const Text backEnd = FindBackEndPath(launcher);
    if (!host.FileExists(backEnd)) {
      ended = outcome::kBackEndNotFound;
      host.ShowMessage(kNotFoundMessage, Text(kRefusalTitle), MessageButtons::kOk);
      return;
    }
    if (action == kCompactAction) {
      ended = Compact(launcher, *engine, backEnd);
    } else if (action == kBackUpAction) {
      ended = BackUp(launcher, backEnd);
    }
  });
  if (failure) {
    launcher.Record(outcome::kFailed, failure);
  } else if (ended) {
    launcher.Record(ended);
  }
}

}  // namespace korvane
