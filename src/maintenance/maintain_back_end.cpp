#include "maintenance/maintain_back_end.h"

#include "common/launcher.h"
#include "database/back_end_link.h"
#include "database/database_engine.h"
#include "maintenance/compacted_copy_check.h"
#include "platform/error.h"
#include "platform/failure_modes.h"
#include "platform/host_services.h"
#include "platform/message_titles.h"

namespace korvane {
namespace {

constexpr char16_t kNotFoundMessage[] = u"没有发现后端数据库文件无法进行操作";
constexpr char16_t kCompactedMessage[] = u"后端数据压缩工作已经结束";
constexpr char16_t kBackedUpMessage[] = u"后端数据备份工作已经结束";
constexpr std::size_t kExtensionLength = 4;

// The back-end path less its last four characters, whatever they are.
Text StemOf(const Text& backEnd) {
  if (backEnd.size() < kExtensionLength) throw InvalidArgumentError();
  return backEnd.substr(0, backEnd.size() - kExtensionLength);
}

void Compact(Launcher& launcher, CompactionEngine& engine, const Text& backEnd) {
  HostServices& host = launcher.host;
  const Text stem = StemOf(backEnd);
  const Text scratch = stem + kScratchSuffix;
  // The compacted copy takes the back-end's own name and no other: a
  // back-end not named "<stem>.mdb" keeps its content, the copy stays as the
  // scratch file and the routine ends silently; no other file is replaced.
  const bool swapsIntoBackEnd = EqualsIgnoringAsciiCase(stem + u".mdb", backEnd);
  if (host.FileExists(scratch)) host.DeleteFile(scratch);
  const Text source = kCompactionConnectionPrefix + backEnd;
  const Text copy = kCompactionConnectionPrefix + scratch;
  engine.CompactDatabase(source, copy);
  if (!swapsIntoBackEnd) return;
  // A compaction that repaired the back-end may have left records out: such
  // a copy stays as the scratch file and the back-end stays as it is.
  if (!CompactedCopyIsComplete(launcher.engine, source, copy)) return;
  // One step: the back-end's name never stands empty, even when this fails.
  host.ReplaceFile(backEnd, scratch);
  host.ShowMessage(kCompactedMessage, Text(kStatusTitle), MessageButtons::kOk);
}

// Copies the back-end beside the launcher under a name of its own first;
// the previous backup gives way only to a complete new one.
void BackUp(Launcher& launcher, const Text& backEnd) {
  HostServices& host = launcher.host;
  const Text backUp = launcher.PathInProgramFolder(kBackUpFileName);
  const Text inProgress = launcher.PathInProgramFolder(kBackUpInProgressName);
  LeaveOnError(
      [&] {
        host.CopyFile(backEnd, inProgress);
        if (host.FileExists(backUp)) {
          host.ReplaceFile(backUp, inProgress);
        } else {
          host.RenameFile(inProgress, backUp);
        }
      },
      [&](const Error& error) {
        ContinueOnError([&] {
          if (host.FileExists(inProgress)) host.DeleteFile(inProgress);
        });
        throw error;
      });
  host.ShowMessage(kBackedUpMessage, Text(kStatusTitle), MessageButtons::kOk);
}

}  // namespace

void MaintainBackEnd(Launcher& launcher, const Text& action) {
  HostServices& host = launcher.host;
  LeaveSilentlyOnError([&] {
    const auto engine = launcher.engine.CreateCompactionEngine();
    const Text backEnd = FindBackEndPath(launcher);
    if (!host.FileExists(backEnd)) {
      host.ShowMessage(kNotFoundMessage, Text(kRefusalTitle), MessageButtons::kOk);
      return;
    }
    if (action == kCompactAction) {
      Compact(launcher, *engine, backEnd);
    } else if (action == kBackUpAction) {
      BackUp(launcher, backEnd);
    }
  });
}

}  // namespace korvane
