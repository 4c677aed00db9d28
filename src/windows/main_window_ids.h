#pragma once
// Names by which other programs (test drivers, automation tools) find the
// launcher's main window and send it menu commands. Kept stable: changing one
// breaks every tool that drives the window.

namespace korvane::windows {

// The main window's own class, so that it cannot be mistaken for a message
// box that carries the same title.
inline constexpr wchar_t kMainWindowClass[] = L"TessalyKorvaneMainWindow";

// WM_COMMAND identifiers of the six top-level menu entries, in menu order.
inline constexpr unsigned short kIdRun = 1001;      // 运行: 数据操作前端
inline constexpr unsigned short kIdCompact = 1002;  // 压缩: 压缩后端数据
inline constexpr unsigned short kIdBackUp = 1003;   // 备份: 备份后端数据
inline constexpr unsigned short kIdQuery = 1004;    // 查询: 调阅档案数据
inline constexpr unsigned short kIdHelp = 1005;     // 帮助: 帮助
inline constexpr unsigned short kIdClose = 1006;    // 关闭: 关闭窗口

}  // namespace korvane::windows
