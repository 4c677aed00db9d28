#pragma once
// A compiled HTML help file (.chm), read with chmlib: the pages, pictures
// and other files inside it, and the topic it opens at.

#include <memory>
#include <optional>
#include <string>

struct chmFile;

namespace korvane::ui {

class ChmArchive {
 public:
  // Opens the file at the POSIX path; nothing when it is missing or is not
  // a help file chmlib can read.
  static std::optional<ChmArchive> Open(const std::string& path);

  // The bytes of one file inside the help file, named by its absolute path
  // ("/index.html"), compared without regard to case; nothing when there is
  // no such file.
  std::optional<std::string> Read(const std::string& objectPath) const;

  // The absolute path of the topic the help file opens at: the default
  // topic its compiler recorded, or else its first page.
  std::optional<std::string> DefaultTopic() const;

 private:
  struct Closer {
    void operator()(chmFile* file) const;
  };
  explicit ChmArchive(chmFile* file) : file_(file) {}
  std::optional<std::string> FirstPage() const;

  std::unique_ptr<chmFile, Closer> file_;
};

}  // namespace korvane::ui
