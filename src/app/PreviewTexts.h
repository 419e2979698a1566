#pragma once

#include <QStringView>

namespace lamina::previewTexts {

// The preview window's own texts, in one place.
inline constexpr QStringView title = u"几何预览";
inline constexpr QStringView fitButton = u"适合窗口(&F)";
inline constexpr QStringView cannotDraw = u"无法绘制：请检查输入";
inline constexpr QStringView checksHeading = u"设计检查（单击一条即可定位到输入框）";
inline constexpr QStringView viewHint = u"滚轮缩放，拖动平移，双击或按钮适合窗口";
inline constexpr QStringView errorPrefix = u"错误：";
inline constexpr QStringView warningPrefix = u"警告：";
inline constexpr QStringView noFindings = u"未发现问题。";
inline constexpr QStringView findingCounts = u"%1 个错误，%2 个警告";
inline constexpr QStringView polesLabel = u"极数 2p：";
inline constexpr QStringView polesHint = u"如 4；留空则不判断周期类型与槽配合";
inline constexpr QStringView dataHeading = u"设计数据（mm、mm²、°；面积取自预览所画的槽）";
inline constexpr QStringView quantityColumn = u"项目";
inline constexpr QStringView statorColumn = u"定子";
inline constexpr QStringView rotorColumn = u"转子";
inline constexpr QStringView unitColumn = u"单位";
inline constexpr QStringView copyButton = u"复制表格(&C)";
inline constexpr QStringView copyTip = u"以制表符分隔复制到剪贴板，可直接粘贴到电子表格";

}  // namespace lamina::previewTexts
