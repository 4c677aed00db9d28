#include "fakes/fake_host.h"

namespace korvane::testing {
namespace {

Error PermissionDenied() {
  return Error(70, u"拒绝的权限", u"FakeHost");
}

}  // namespace

FakeHost::File& FakeHost::Unlocked(const Text& path) {
  const auto found = files_.find(AsciiCapitals(path));
  if (found == files_.end()) throw Error(53, u"文件未找到", u"FakeHost");
  if (found->second.locked) throw PermissionDenied();
  return found->second;
}

void FakeHost::PutFile(const Text& path, std::string content) {
  files_[AsciiCapitals(path)] = {std::move(content)};
}

void FakeHost::RemoveFile(const Text& path) {
  files_.erase(AsciiCapitals(path));
}

void FakeHost::SetLocked(const Text& path) {
  files_.at(AsciiCapitals(path)).locked = true;
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

void FakeHost::CopyFile(const Text& source, const Text& destination) {
  log_.Enter("CopyFile", {source, destination});
  const std::string content = Unlocked(source).content;
  if (Has(destination)) Unlocked(destination);
  PutFile(destination, content);
}

void FakeHost::DeleteFile(const Text& path) {
  log_.Enter("DeleteFile", {path});
  Unlocked(path);
  RemoveFile(path);
}

void FakeHost::RenameFile(const Text& oldPath, const Text& newPath) {
  log_.Enter("RenameFile", {oldPath, newPath});
  const std::string content = Unlocked(oldPath).content;
  if (Has(newPath)) throw PermissionDenied();
  RemoveFile(oldPath);
  PutFile(newPath, content);
}

void FakeHost::ReplaceFile(const Text& target, const Text& replacement) {
  log_.Enter("ReplaceFile", {target, replacement});
  Unlocked(target) = Unlocked(replacement);
  RemoveFile(replacement);
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
