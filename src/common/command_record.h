#pragma once
// The support log's line for one command: what the command was, how it
// ended and, for a failure, the error's number, description and source.

#include <optional>

#include "platform/error.h"
#include "platform/text.h"

namespace korvane {

// How a command ended, in the log's words.
namespace outcome {
inline constexpr char16_t kDone[] = u"完成";
inline constexpr char16_t kFailed[] = u"失败";
inline constexpr char16_t kCancelled[] = u"取消";
inline constexpr char16_t kBackEndNotFound[] = u"没有发现后端数据库文件";
inline constexpr char16_t kCopyIncomplete[] = u"压缩副本与后端不符，后端未替换";
inline constexpr char16_t kBackEndChanged[] = u"压缩期间后端已被修改，后端未替换";
inline constexpr char16_t kNotNamedMdb[] = u"后端不以.mdb结尾，压缩副本留在原处";
inline constexpr char16_t kKorvaneRunning[] = u"Korvane正在运行";
inline constexpr char16_t kLinkDeclined[] = u"后端联接失败，未启动";
inline constexpr char16_t kStarted[] = u"已启动";
inline constexpr char16_t kNoHelpFile[] = u"没有帮助文件";
}  // namespace outcome

// `text` with every password in it replaced by "***": the launcher's own,
// wherever they stand, and the value of every password key of a connection
// text ("Password=", "Pwd=", "Jet OLEDB:Database Password=", quoted or
// not) or of a command line's "/pwd" switch.
Text Redacted(TextView text);

// One line: the command, its outcome and, for a failure, "错误" with the
// error's number, its source and its description, separated by tabs.
// Redacted, and with line breaks and tabs inside the texts made blanks.
Text CommandRecordLine(TextView command, TextView outcome, const std::optional<Error>& error);

}  // namespace korvane
