#include "chm_archive.h"

#include <chm_lib.h>
#include <strings.h>

#include <cstdint>
#include <cstring>

namespace korvane::ui {
namespace {

// No file inside a help file is larger than this; a length beyond it comes
// from a damaged file and is refused rather than allocated.
constexpr std::uint64_t kLargestObject = 64u << 20;

// The compiler's record of the default topic in the "/#SYSTEM" file.
constexpr std::uint16_t kSystemDefaultTopic = 2;

std::uint16_t LittleEndian16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

bool IsPage(const std::string& path) {
  const auto endsWith = [&](const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return path.size() >= n && strcasecmp(path.c_str() + path.size() - n, suffix) == 0;
  };
  return endsWith(".htm") || endsWith(".html");
}

}  // namespace

void ChmArchive::Closer::operator()(chmFile* file) const {
  chm_close(file);
}

std::optional<ChmArchive> ChmArchive::Open(const std::string& path) {
  chmFile* file = chm_open(path.c_str());
  if (file == nullptr) return std::nullopt;
  return ChmArchive(file);
}

std::optional<std::string> ChmArchive::Read(const std::string& objectPath) const {
  chmUnitInfo unit{};
  if (chm_resolve_object(file_.get(), objectPath.c_str(), &unit) != CHM_RESOLVE_SUCCESS) {
    return std::nullopt;
  }
  if (unit.length > kLargestObject) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(unit.length), '\0');
  if (unit.length == 0) return bytes;
  const LONGINT64 read =
      chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                          static_cast<LONGINT64>(unit.length));
  if (read != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return bytes;
}

std::optional<std::string> ChmArchive::DefaultTopic() const {
  // "/#SYSTEM": a 4-byte version, then records of a 16-bit code, a 16-bit
  // length and that many bytes.
  if (const auto system = Read("/#SYSTEM")) {
    for (std::size_t at = 4; at + 4 <= system->size();) {
      const std::uint16_t code = LittleEndian16(*system, at);
      const std::uint16_t length = LittleEndian16(*system, at + 2);
      at += 4;
      if (at + length > system->size()) break;
      if (code == kSystemDefaultTopic) {
        std::string topic = system->substr(at, length);
        topic.resize(std::strlen(topic.c_str()));  // the record ends in a NUL
        if (!topic.empty()) return topic.front() == '/' ? topic : "/" + topic;
      }
      at += length;
    }
  }
  return FirstPage();
}

std::optional<std::string> ChmArchive::FirstPage() const {
  std::optional<std::string> first;
  chm_enumerate(
      file_.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
      [](chmFile*, chmUnitInfo* unit, void* context) {
        const std::string path = unit->path;
        if (!IsPage(path)) return CHM_ENUMERATOR_CONTINUE;
        *static_cast<std::optional<std::string>*>(context) = path;
        return CHM_ENUMERATOR_SUCCESS;
      },
      &first);
  return first;
}

}  // namespace korvane::ui
