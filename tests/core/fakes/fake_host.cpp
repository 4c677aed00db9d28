#include "fakes/fake_host.h"

namespace korvane::testing {
namespace {

Error PermissionDenied() {
  return Error(70, u"拒绝的权限", u"FakeHost");
}

template <class File>
FileStamp StampOfFile(const File& file) {
  return {0, file.id, file.content.size(), file.version};
}

}  // namespace

// Holds a file by its path until destroyed; another user's writes to it are
// refused meanwhile.
class FakeHost::Hold : public FileHold {
 public:
  Hold(FakeHost& host, Text key) : host_(host), key_(std::move(key)) { host_.held_.insert(key_); }
  ~Hold() override { host_.held_.erase(key_); }
  FileStamp Stamp() override {
    host_.log_.Enter("FileHold.Stamp");
    return StampOfFile(host_.Existing(key_));
  }

 private:
  FakeHost& host_;
  Text key_;
};

FakeHost::File& FakeHost::Existing(const Text& path) {
  const auto found = files_.find(AsciiCapitals(path));
  if (found == files_.end()) throw Error(53, u"文件未找到", u"FakeHost");
  return found->second;
}

FakeHost::File& FakeHost::Changeable(const Text& path) {
  File& file = Existing(path);
  if (file.readOnly || file.openForWriting) throw PermissionDenied();
  return file;
}

void FakeHost::Put(const Text& path, File file) {
  files_[AsciiCapitals(path)] = std::move(file);
}

void FakeHost::Write(File& file, std::string content) {
  file.content = std::move(content);
  file.version = ++lastWrite_;
}

void FakeHost::PutFile(const Text& path, std::string content) {
  File file;
  file.id = ++lastId_;
  Write(file, std::move(content));
  Put(path, std::move(file));
}

void FakeHost::RemoveFile(const Text& path) {
  files_.erase(AsciiCapitals(path));
}

void FakeHost::WriteAsAnotherUser(const Text& path, std::string content) {
  const auto found = files_.find(AsciiCapitals(path));
  if (found == files_.end() || held_.contains(found->first)) return;
  landedWrite = {path, content};
  Write(found->second, std::move(content));
}

std::optional<std::string> FakeHost::Content(const Text& path) const {
  const auto found = files_.find(AsciiCapitals(path));
  if (found == files_.end()) return std::nullopt;
  return found->second.content;
}

Text FakeHost::ProgramFolder() {
  log_.Enter("ProgramFolder");
  return programFolder;
}

bool FakeHost::IsPreviousInstanceRunning() {
  log_.Enter("IsPreviousInstanceRunning");
  return previousInstanceRunning;
}

bool FakeHost::FileExists(const Text& path) {
  log_.Enter("FileExists", {path});
  return !path.empty() && Has(path);
}

// A write that lands while the copy runs tears it: the copy then holds a
// state the database never was in.
void FakeHost::CopyFile(const Text& source, const Text& destination) {
  UnwatchedProgress unwatched;
  CopyFileWithProgress(source, destination, unwatched);
}

// Half the bytes, then the rest: a cancel at either point leaves the
// destination as it was.
void FakeHost::CopyFileWithProgress(const Text& source, const Text& destination,
                                    Progress& progress) {
  log_.Enter("CopyFile", {source, destination});
  const File& from = Existing(source);
  const std::uint64_t size = from.content.size();
  if (!progress.Advance(size / 2, size) || !progress.Advance(size, size)) {
    throw Error(1235, u"请求已被中止", u"FakeHost");
  }
  std::string content = from.content;
  const std::int64_t version = from.version;
  if (duringCopy) duringCopy();
  if (Existing(source).version != version) content = "torn copy";
  PutFile(destination, content);
}

void FakeHost::DeleteFile(const Text& path) {
  log_.Enter("DeleteFile", {path});
  Changeable(path);
  RemoveFile(path);
}

void FakeHost::RenameFile(const Text& oldPath, const Text& newPath) {
  log_.Enter("RenameFile", {oldPath, newPath});
  File file = Existing(oldPath);
  if (Has(newPath)) throw PermissionDenied();
  RemoveFile(oldPath);
  Put(newPath, std::move(file));
}

void FakeHost::ReplaceFile(const Text& target, const Text& replacement, const Text& backup) {
  log_.Enter("ReplaceFile", {target, replacement, backup});
  if (beforeReplace) beforeReplace();
  File old = Changeable(target);
  File replacing = Existing(replacement);
  if (Has(backup)) throw PermissionDenied();
  Put(backup, std::move(old));
  RemoveFile(target);
  if (swapStrands) throw Error(1177, u"无法移动替换文件", u"FakeHost");
  Put(target, std::move(replacing));
  RemoveFile(replacement);
}

FileStamp FakeHost::StampOf(const Text& path) {
  log_.Enter("StampOf", {path});
  return StampOfFile(Existing(path));
}

std::unique_ptr<FileHold> FakeHost::HoldAgainstWriters(const Text& path) {
  log_.Enter("HoldAgainstWriters", {path});
  if (Existing(path).openForWriting) throw PermissionDenied();
  return std::make_unique<Hold>(*this, AsciiCapitals(path));
}

void FakeHost::MakeWritable(const Text& path) {
  log_.Enter("MakeWritable", {path});
  Existing(path).readOnly = false;
}

Text FakeHost::CurrentDirectory() {
  log_.Enter("CurrentDirectory");
  return currentDirectory;
}

MessageAnswer FakeHost::ShowMessage(const Text& text, const std::optional<Text>& title,
                                    MessageButtons buttons) {
  log_.Enter("ShowMessage", {text, title.value_or(u"<无标题>")});
  messages.push_back({text, title, buttons});
  return buttons == MessageButtons::kOk ? MessageAnswer::kOk : answer;
}

void FakeHost::StartProcess(const Text& program, const Text& commandLine, int windowStyle) {
  log_.Enter("StartProcess", {program, commandLine, Arg(windowStyle)});
}

void FakeHost::EndProgram() {
  log_.Enter("EndProgram");
  throw ProgramEnded{};
}

}  // namespace korvane::testing
