#pragma once

namespace qmv::updatetext {

// Everything the update shows the user, shared by the wizard and the command line so both speak
// with one voice.
inline constexpr const char* windowCaption = "升级";
inline constexpr const char* hintCaption = "提示";
inline constexpr const char* applicationTitle = "QMV-718";

inline constexpr const char* connecting = "正在连接服务器！";
inline constexpr const char* connected = "连接服务器成功！";
inline constexpr const char* connectFailed = "连接服务器失败！";
inline constexpr const char* fetchFailed = "获得升级配置文件出错！";
inline constexpr const char* restartNeeded = "需要重新启动程序，升级才能完成！";

inline constexpr const char* columnName = "软件名称";
inline constexpr const char* columnState = "状态";
inline constexpr const char* statePending = "未升级";
inline constexpr const char* stateDone = "升级成功";
inline constexpr const char* stateFailed = "升级失败";

inline constexpr const char* chooseServer = "选择服务器";
inline constexpr const char* next = "下一步";
inline constexpr const char* quit = "退出";
inline constexpr const char* progress = "升级进度";
inline constexpr const char* update = "升级";
inline constexpr const char* breakOff = "中断";
inline constexpr const char* done = "完成";

// Faults in the update list itself, which the wizard reports instead of failing half-way.
inline constexpr const char* noServer = "升级配置文件中没有服务器！";
inline constexpr const char* badDate = "升级配置文件中 %1 的日期时间无法识别：%2";
inline constexpr const char* badSize = "升级配置文件中 %1 的文件大小不是整数：%2";

} // namespace qmv::updatetext
