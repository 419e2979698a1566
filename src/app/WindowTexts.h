#pragma once

#include <QStringView>

namespace lamina::texts {

// The main window's own messages, in one place.
inline constexpr QStringView productTitle = u"Lamina 异步电机冲片建模脚本生成器";
inline constexpr QStringView createScriptMenu = u"创建py文件(&C)";
inline constexpr QStringView helpMenu = u"帮助(&H)";
inline constexpr QStringView instructionsItem = u"使用说明(&P)";
inline constexpr QStringView aboutItem = u"关于程序(&T)";
inline constexpr QStringView previewMenu = u"几何预览(&V)";
inline constexpr QStringView checkSummary = u"设计检查：%1";
inline constexpr QStringView noFindings = u"未发现问题";
inline constexpr QStringView scriptFilter = u"py(*.py)";
inline constexpr QStringView overwriteTitle = u"保存提示";
inline constexpr QStringView overwriteQuestion = u"文件已存在,是否覆盖?";
inline constexpr QStringView scriptDone = u"搞定！请将该文件复制到flux当年工程文件夹下！";
inline constexpr QStringView scriptFailedTitle = u"命令文件未生成";
inline constexpr QStringView oldFileKept = u"原有文件保持不变。";
inline constexpr QStringView nothingWritten = u"没有写入任何文件。";
inline constexpr QStringView endRingFailedTitle = u"端环参数无法计算";

}  // namespace lamina::texts
