#pragma once

#include "Text.h"

#include <string>

namespace qmv::updatetext {

// Everything the update shows the user, shared by the wizard and the command line so both speak
// with one voice.
inline constexpr const char* windowCaption = QT_TRANSLATE_NOOP("qmv::updatetext", "升级");

inline constexpr const char* connecting = QT_TRANSLATE_NOOP("qmv::updatetext", "正在连接服务器！");
inline constexpr const char* connected = QT_TRANSLATE_NOOP("qmv::updatetext", "连接服务器成功！");
inline constexpr const char* connectFailed = QT_TRANSLATE_NOOP("qmv::updatetext", "连接服务器失败！");
inline constexpr const char* fetchFailed = QT_TRANSLATE_NOOP("qmv::updatetext", "获得升级配置文件出错！");
inline constexpr const char* restartNeeded =
    QT_TRANSLATE_NOOP("qmv::updatetext", "需要重新启动程序，升级才能完成！");

inline constexpr const char* columnName = QT_TRANSLATE_NOOP("qmv::updatetext", "软件名称");
inline constexpr const char* columnState = QT_TRANSLATE_NOOP("qmv::updatetext", "状态");
inline constexpr const char* statePending = QT_TRANSLATE_NOOP("qmv::updatetext", "未升级");
inline constexpr const char* stateDone = QT_TRANSLATE_NOOP("qmv::updatetext", "升级成功");
inline constexpr const char* stateFailed = QT_TRANSLATE_NOOP("qmv::updatetext", "升级失败");

inline constexpr const char* chooseServer = QT_TRANSLATE_NOOP("qmv::updatetext", "选择服务器");
inline constexpr const char* next = QT_TRANSLATE_NOOP("qmv::updatetext", "下一步");
inline constexpr const char* quit = QT_TRANSLATE_NOOP("qmv::updatetext", "退出");
inline constexpr const char* progress = QT_TRANSLATE_NOOP("qmv::updatetext", "升级进度");
inline constexpr const char* update = QT_TRANSLATE_NOOP("qmv::updatetext", "升级");
inline constexpr const char* breakOff = QT_TRANSLATE_NOOP("qmv::updatetext", "中断");
inline constexpr const char* done = QT_TRANSLATE_NOOP("qmv::updatetext", "完成");

// Faults in the update list itself, which the wizard reports instead of failing half-way.
inline constexpr const char* noServer = QT_TRANSLATE_NOOP("qmv::updatetext", "升级配置文件中没有服务器！");
inline constexpr const char* badDate =
    QT_TRANSLATE_NOOP("qmv::updatetext", "升级配置文件中 %1 的日期时间无法识别：%2");
inline constexpr const char* badSize =
    QT_TRANSLATE_NOOP("qmv::updatetext", "升级配置文件中 %1 的文件大小不是整数：%2");

// Why a list, a download or an install failed.
inline constexpr const char* reasonNotFound = QT_TRANSLATE_NOOP("qmv::updatetext", "服务器上没有此文件");
inline constexpr const char* reasonServerError = QT_TRANSLATE_NOOP("qmv::updatetext", "服务器出错");
inline constexpr const char* reasonUnreachable = QT_TRANSLATE_NOOP("qmv::updatetext", "无法连接服务器");
inline constexpr const char* reasonTimedOut = QT_TRANSLATE_NOOP("qmv::updatetext", "超时");
inline constexpr const char* reasonUnsafeAddress =
    QT_TRANSLATE_NOOP("qmv::updatetext", "地址不是 http 或 https");
inline constexpr const char* reasonWrongSize = QT_TRANSLATE_NOOP("qmv::updatetext", "文件大小不符");
inline constexpr const char* reasonNotALibrary = QT_TRANSLATE_NOOP("qmv::updatetext", "文件内容不对");
inline constexpr const char* reasonHashMismatch = QT_TRANSLATE_NOOP("qmv::updatetext", "SHA-256 校验值不符");
inline constexpr const char* reasonNotWritable = QT_TRANSLATE_NOOP("qmv::updatetext", "无法写入");
inline constexpr const char* reasonRefusedName = QT_TRANSLATE_NOOP("qmv::updatetext", "文件名不允许");
inline constexpr const char* reasonNoSpace = QT_TRANSLATE_NOOP("qmv::updatetext", "磁盘空间不足");
inline constexpr const char* reasonNoBackup = QT_TRANSLATE_NOOP("qmv::updatetext", "没有可恢复的备份");
inline constexpr const char* reasonCancelled = QT_TRANSLATE_NOOP("qmv::updatetext", "已中断");

// A state or reason and what it is about; two details of one failure.
inline constexpr const char* withDetail = QT_TRANSLATE_NOOP("qmv::updatetext", "%1：%2");
inline constexpr const char* twoDetails = QT_TRANSLATE_NOOP("qmv::updatetext", "%1；%2");

// Details of the reasons.
inline constexpr const char* timedOutConnecting = QT_TRANSLATE_NOOP("qmv::updatetext", "%1 秒内未能连接 %2");
inline constexpr const char* timedOutStalled = QT_TRANSLATE_NOOP("qmv::updatetext", "%1 秒内未收到数据");
inline constexpr const char* timedOutTotal = QT_TRANSLATE_NOOP("qmv::updatetext", "传输超过 %1 秒");
inline constexpr const char* sizeAnnouncedZero =
    QT_TRANSLATE_NOOP("qmv::updatetext", "升级配置文件中的大小为 0");
inline constexpr const char* sizeReceived =
    QT_TRANSLATE_NOOP("qmv::updatetext", "应为 %1 字节，收到 %2 字节");
inline constexpr const char* sizeAboveLimit =
    QT_TRANSLATE_NOOP("qmv::updatetext", "升级配置文件中的大小 %1 超过此文件的上限 %2 字节");
inline constexpr const char* spaceNeeded =
    QT_TRANSLATE_NOOP("qmv::updatetext", "需要 %1 字节，%2 只有 %3 字节可用");
inline constexpr const char* notUsedByProgram =
    QT_TRANSLATE_NOOP("qmv::updatetext", "%1 不是本程序使用的文件");
inline constexpr const char* sizeBeyond = QT_TRANSLATE_NOOP("qmv::updatetext", "超过 %1 字节");
inline constexpr const char* tooManyRedirects = QT_TRANSLATE_NOOP("qmv::updatetext", "转向超过 %1 次");
inline constexpr const char* rejectedKept = QT_TRANSLATE_NOOP("qmv::updatetext", "已保存为 %1");

// The program's folder cannot be written, as in a system-wide install.
inline constexpr const char* folderNotWritable = QT_TRANSLATE_NOOP(
    "qmv::updatetext", "无法写入 %1，升级无法进行（程序可能是为整个系统安装的）。\n"
                       "请通过系统的软件包管理器升级本软件，或以有写入权限的用户运行升级。");

// Putting back the last good copies.
inline constexpr const char* rollback = QT_TRANSLATE_NOOP("qmv::updatetext", "恢复上一版本");
inline constexpr const char* rollbackNone = QT_TRANSLATE_NOOP("qmv::updatetext", "没有可恢复的上一版本。");
inline constexpr const char* rollbackDone = QT_TRANSLATE_NOOP("qmv::updatetext", "%1 已恢复为上一版本。");
inline constexpr const char* rollbackFailed = QT_TRANSLATE_NOOP("qmv::updatetext", "%1 恢复失败：%2");

// One of the texts above in the user's language.
inline std::string shown(const char* text)
{
    return translate("qmv::updatetext", text);
}

} // namespace qmv::updatetext
