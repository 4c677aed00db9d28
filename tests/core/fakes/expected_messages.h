#pragma once
// The boxes the launcher shows, as the tests expect to see them.

#include "fakes/fake_host.h"

namespace korvane::testing {

inline const MessageBox kKorvaneRunning{u"Korvane正在运行", Text(u"系统运行状态"),
                                        MessageButtons::kOk};
inline const MessageBox kInitialise{u"是否进行数据后端初始化工作", Text(u"系统后端数据联接失败"),
                                    MessageButtons::kYesNoDefaultNo};
inline const MessageBox kNotFound{u"没有发现后端数据库文件无法进行操作", Text(u"出错信息"),
                                  MessageButtons::kOk};
inline const MessageBox kCompactedNotice{u"后端数据压缩工作已经结束", Text(u"系统运行状态"),
                                         MessageButtons::kOk};
inline const MessageBox kBackedUpNotice{u"后端数据备份工作已经结束", Text(u"系统运行状态"),
                                        MessageButtons::kOk};

}  // namespace korvane::testing
