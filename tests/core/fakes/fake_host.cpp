#include "fakes/fake_host.h"

namespace korvane::testing {
namespace {

constexpr char16_t kSource[] = u"FakeHost";

Error FileNotFound() {
  return Error(53, u"文件未找到", kSource);
}
Error FileAlreadyExists() {
  return Error(58, u"文件已存在", kSource);
}
Error PermissionDenied() {
  return Error(70, u"拒绝的权限", kSource);
}

}  // namespace

Text FakeHost::Key(const Text& path) {
  Text key = path;
  for (auto& c : key) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return key;
}

FakeFile* FakeHost::Find(const Text& path) {
  const auto found = files_.find(Key(path));
  return found == files_.end() ? nullptr : &found->second;
}

FakeFile& FakeHost::Existing(const Text& path) {
  FakeFile* file = Find(path);
  if (file == nullptr) log_.Raise(FileNotFound());
  return *file;
}

void FakeHost::Writable(const FakeFile& file) {
  if (file.locked || file.readOnly) log_.Raise(PermissionDenied());
}

void FakeHost::PutFile(const Text& path, std::string content) {
  files_[Key(path)] = {std::move(content)};
}

void FakeHost::RemoveFile(const Text& path) {
  files_.erase(Key(path));
}

void FakeHost::SetLocked(const Text& path, bool locked) {
  Find(path)->locked = locked;
}

void FakeHost::SetReadOnly(const Text& path, bool readOnly) {
  Find(path)->readOnly = readOnly;
}

std::optional<FakeFile> FakeHost::File(const Text& path) const {
  const auto found = files_.find(Key(path));
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> FakeHost::Content(const Text& path) const {
  const auto file = File(path);
  if (!file) return std::nullopt;
  return file->content;
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
  return !path.empty() && Find(path) != nullptr;
}

void FakeHost::CopyFile(const Text& source, const Text& destination) {
  log_.Enter("CopyFile", {source, destination});
  const FakeFile& from = Existing(source);
  if (from.locked) log_.Raise(PermissionDenied());
  // A read-only destination is overwritten; the copy is never read-only.
  if (const FakeFile* to = Find(destination); to != nullptr && to->locked) {
    log_.Raise(PermissionDenied());
  }
  PutFile(destination, std::string(from.content));
}

void FakeHost::DeleteFile(const Text& path) {
  log_.Enter("DeleteFile", {path});
  Writable(Existing(path));
  files_.erase(Key(path));
}

void FakeHost::RenameFile(const Text& oldPath, const Text& newPath) {
  log_.Enter("RenameFile", {oldPath, newPath});
  const FakeFile from = Existing(oldPath);
  if (from.locked) log_.Raise(PermissionDenied());
  if (Find(newPath) != nullptr) log_.Raise(FileAlreadyExists());
  files_.erase(Key(oldPath));
  files_[Key(newPath)] = from;
}

void FakeHost::ReplaceFile(const Text& target, const Text& replacement) {
  log_.Enter("ReplaceFile", {target, replacement});
  FakeFile& old = Existing(target);
  Writable(old);
  const FakeFile& from = Existing(replacement);
  if (from.locked) log_.Raise(PermissionDenied());
  old = from;
  files_.erase(Key(replacement));
}

Text FakeHost::CurrentDirectory() {
  log_.Enter("CurrentDirectory");
  return currentDirectory;
}

MessageAnswer FakeHost::ShowMessage(const Text& text, const std::optional<Text>& title,
                                    MessageButtons buttons) {
  log_.Enter("ShowMessage", {text, title.value_or(u"<无标题>")});
  messages.push_back({text, title, buttons});
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  if (answers.empty()) return MessageAnswer::kNo;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeHost::StartProcess(const Text& program, const Text& commandLine, int windowStyle) {
  log_.Enter("StartProcess", {program, commandLine, Arg(windowStyle)});
  started.push_back({program, commandLine, windowStyle});
}

void FakeHost::EndProgram() {
  log_.Enter("EndProgram");
  throw ProgramEnded{};
}

}  // namespace korvane::testing
