#pragma once

#include <QStringView>

#include <array>

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
inline constexpr QStringView scriptReplayFindings
    = u"回放脚本发现 %1 个问题，FLUX2D 可能无法建模，详见设计检查。";
inline constexpr QStringView scriptFailedTitle = u"命令文件未生成";
inline constexpr QStringView oldFileKept = u"原有文件保持不变。";
inline constexpr QStringView nothingWritten = u"没有写入任何文件。";
inline constexpr QStringView endRingFailedTitle = u"端环参数无法计算";

// The title: the design's file name, Qt's modified mark, the product.
inline constexpr QStringView windowTitle = u"%1[*] - %2";
inline constexpr QStringView untitled = u"未命名";

inline constexpr QStringView fileMenu = u"文件(&F)";
inline constexpr QStringView newDesignItem = u"新建设计(&N)";
inline constexpr QStringView openDesignItem = u"打开设计(&O)…";
inline constexpr QStringView saveDesignItem = u"保存设计(&S)";
inline constexpr QStringView saveDesignAsItem = u"设计另存为(&A)…";
inline constexpr QStringView recentDesignsMenu = u"最近的设计(&R)";
inline constexpr QStringView recentDesignItem = u"&%1 %2";
inline constexpr QStringView exitItem = u"退出(&X)";
inline constexpr QStringView designFilter = u"Lamina 设计 (*.json)";
inline constexpr QStringView unsavedQuestion = u"当前设计已修改，是否保存？";
inline constexpr QStringView saveButton = u"保存";
inline constexpr QStringView discardButton = u"不保存";
inline constexpr QStringView cancelButton = u"取消";
inline constexpr QStringView openFailedTitle = u"设计无法打开";
inline constexpr QStringView saveFailedTitle = u"设计未保存";
inline constexpr QStringView recentMissing = u"设计文件“%1”已不存在，已从最近的设计中移除。";
inline constexpr QStringView designKept = u"当前设计保持不变。";

// Drawings: the whole laminations or the periodic sector as DXF, the sector
// as Gmsh geometry. The filter chosen decides which.
inline constexpr QStringView exportItem = u"导出图纸(&E)…";
inline constexpr QStringView exportWholeFilter = u"DXF 整片冲片图 (*.dxf)";
inline constexpr QStringView exportSectorFilter = u"DXF 周期扇区图 (*.dxf)";
inline constexpr QStringView exportGmshFilter = u"Gmsh 周期扇区几何 (*.geo)";
inline constexpr QStringView exportFailedTitle = u"图纸未导出";
inline constexpr QStringView exportSuffixNeeded = u"图纸文件名须以 .dxf 或 .geo 结尾：“%1”";
inline constexpr QStringView exportDone = u"图纸已导出：%1";

// The status bar while list choices are still to be made.
inline constexpr QStringView picksToMake = u"请选择：%1";
inline constexpr QStringView picksSeparator = u"、";
inline constexpr QStringView summarySeparator = u"；";

// What each box holds, shown as its tooltip.
struct BoxTip
{
    QStringView control;
    QStringView tip;
};

// clang-format off
inline constexpr std::array boxTips{
    BoxTip{u"k2t1(1)", u"定子外径 D1 (mm)"},
    BoxTip{u"k2t1(0)", u"定子内径 DI1 (mm)"},
    BoxTip{u"k3t1(1)", u"定子槽数 Z1"},
    BoxTip{u"st(0)", u"b01：定子槽口宽度 (mm)"},
    BoxTip{u"st(1)", u"bs1：槽楔斜面终点处的槽宽 (mm)"},
    BoxTip{u"st(2)", u"bs2：槽身圆底起点处的槽宽 (mm)"},
    BoxTip{u"st(3)", u"h01：定子槽口高度 (mm)"},
    BoxTip{u"st(4)", u"hs1：槽楔斜面高度 (mm)"},
    BoxTip{u"st(5)", u"hs2：槽身高度，从 bs1 到 bs2 (mm)"},
    BoxTip{u"st(6)", u"rs：槽底圆弧半径 (mm)"},
    BoxTip{u"st(7)", u"α：本程序不使用"},
    BoxTip{u"k4t1(0)", u"转子外径 D2 (mm)"},
    BoxTip{u"k4t1(1)", u"转子内径 DI2 (mm)"},
    BoxTip{u"k4t1(2)", u"转子槽数 Z2（取整）"},
    BoxTip{u"rt(0)", u"b02：转子槽口宽度 (mm)"},
    BoxTip{u"rt(1)", u"br1：梯形槽身外端（宽端）宽度 (mm)"},
    BoxTip{u"rt(2)", u"br2：梯形槽身内端（窄端）宽度 (mm)"},
    BoxTip{u"rt(3)", u"br3：其他转子槽型的尺寸 (mm)，脚本不使用"},
    BoxTip{u"rt(4)", u"br4：其他转子槽型的尺寸 (mm)，脚本不使用"},
    BoxTip{u"rt(5)", u"hr0：转子槽口高度 (mm)"},
    BoxTip{u"rt(6)", u"hr1：槽口与槽身之间的槽楔高度 (mm)"},
    BoxTip{u"rt(7)", u"hr2：梯形槽身高度 (mm)"},
    BoxTip{u"rt(8)", u"hr3：其他转子槽型的尺寸 (mm)，脚本不使用"},
    BoxTip{u"rt(9)", u"rr1：其他转子槽型的圆弧半径 (mm)，脚本不使用"},
    BoxTip{u"rt(10)", u"rr2：其他转子槽型的圆弧半径 (mm)，脚本不使用"},
    BoxTip{u"rt(11)", u"d1：其他转子槽型的尺寸 (mm)，脚本不使用"},
    BoxTip{u"rt(12)", u"d2：其他转子槽型的尺寸 (mm)，脚本不使用"},
    BoxTip{u"rt(13)", u"β：本程序不使用"},
    BoxTip{u"box(1)", u"外无穷边界外径 (mm)"},
    BoxTip{u"box(0)", u"外无穷边界内径 (mm)"},
    BoxTip{u"pernum(0)", u"周期数：固定为 4"},
    BoxTip{u"airgap(0)", u"气隙层数：固定为 2"},
    BoxTip{u"mesh(0)", u"相对剖分偏差（无量纲）"},
    BoxTip{u"zb(0)", u"导条伸出铁心的长度 (m)"},
    BoxTip{u"zb(1)", u"端环平均半径 (m)"},
    BoxTip{u"zb(2)", u"端环电阻率 (10^-6 Ωm)"},
    BoxTip{u"zb(3)", u"端环截面积 (mm^2)"},
    BoxTip{u"zb(4)", u"端部漏感 (H)"},
    BoxTip{u"zb(5)", u"端部电阻 (Ω)"},
};
// clang-format on

}  // namespace lamina::texts
