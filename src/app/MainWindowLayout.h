#pragma once

#include <QStringView>

#include <array>

namespace lamina::layout {

// Positions are in twips, relative to the containing frame or, for the three
// column frames, to the client area.

inline constexpr int clientWidth = 16245;
inline constexpr int clientHeight = 10830;
inline constexpr int textBoxWidth = 735;
inline constexpr int textBoxHeight = 315;
inline constexpr int comboHeight = 330;

enum class Kind { Frame, Label, TextBox, ComboBox, OptionButton, Image, Button };

// Font and background of a control.
enum class Look {
    GeometryFrame,        // 隶书 14.25, green
    SettingsColumn,       // 隶书 15.75, pink
    SettingsFrame,        // 隶书 14.25, orange
    GeometryLabel,        // 楷体 10.5 bold, green
    DimensionLabel,       // Times New Roman 10.5 bold, green
    DimensionLabelLarge,  // Times New Roman 12 bold, green
    SettingsLabel,        // Times New Roman 10.5 bold, orange
    UnitLabel,            // 宋体 10.5 bold, orange
    BoxFont,              // 宋体 10.5
    ComboFont,            // 楷体 10.5 bold
    GeometryOption,       // green
    Picture,
    ButtonFont,  // 宋体 10.5
};

struct Control
{
    Kind kind;
    QStringView name;     // object name; the window's control names, e.g. "st(6)"
    QStringView parent;   // containing frame; empty for the client area
    QStringView caption;  // frame/label/button caption, combo prompt; text boxes take their defaults from the
                          // input fields
    int left;
    int top;
    int width;   // 0: the kind's usual size (labels size themselves)
    int height;  // 0: the kind's usual size
    Look look;
};

using enum Kind;
using enum Look;

// clang-format off
inline constexpr std::array controls{
    // The three columns.
    Control{Frame, u"Frame1(0)", u"", u"定子几何参数", 0, 0, 4575, 10335, GeometryFrame},
    Control{Frame, u"Frame1(1)", u"", u"转子几何参数", 4680, 0, 5055, 10335, GeometryFrame},
    Control{Frame, u"Frame1(2)", u"", u"气隙分层", 9840, 0, 6135, 10335, SettingsColumn},

    // Stator geometry.
    Control{Label,   u"statorOuterLabel", u"Frame1(0)", u"外径 ", 240, 360, 0, 0, GeometryLabel},
    Control{TextBox, u"k2t1(1)",  u"Frame1(0)", u"", 960, 300, 0, 0, BoxFont},
    Control{Label,   u"statorInnerLabel", u"Frame1(0)", u"内径 ", 240, 840, 0, 0, GeometryLabel},
    Control{TextBox, u"k2t1(0)",  u"Frame1(0)", u"", 960, 780, 0, 0, BoxFont},
    Control{Label,   u"statorSlotsLabel", u"Frame1(0)", u"槽数", 240, 1320, 0, 0, GeometryLabel},
    Control{TextBox, u"k3t1(1)",  u"Frame1(0)", u"", 960, 1260, 0, 0, BoxFont},
    Control{Label,   u"b01Label", u"Frame1(0)", u"b01", 360, 1755, 0, 0, DimensionLabel},
    Control{TextBox, u"st(0)",    u"Frame1(0)", u"", 960, 1700, 0, 0, BoxFont},
    Control{Label,   u"bs1Label", u"Frame1(0)", u"bs1", 360, 2235, 0, 0, DimensionLabel},
    Control{TextBox, u"st(1)",    u"Frame1(0)", u"", 960, 2180, 0, 0, BoxFont},
    Control{Label,   u"bs2Label", u"Frame1(0)", u"bs2", 3120, 360, 0, 0, DimensionLabel},
    Control{TextBox, u"st(2)",    u"Frame1(0)", u"", 3720, 300, 0, 0, BoxFont},
    Control{Label,   u"h01Label", u"Frame1(0)", u"h01", 3120, 840, 0, 0, DimensionLabel},
    Control{TextBox, u"st(3)",    u"Frame1(0)", u"", 3720, 780, 0, 0, BoxFont},
    Control{Label,   u"hs1Label", u"Frame1(0)", u"hs1", 3120, 1320, 0, 0, DimensionLabel},
    Control{TextBox, u"st(4)",    u"Frame1(0)", u"", 3720, 1200, 0, 0, BoxFont},
    Control{Label,   u"hs2Label", u"Frame1(0)", u"hs2", 3120, 1695, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"st(5)",    u"Frame1(0)", u"", 3720, 1680, 0, 0, BoxFont},
    Control{Label,   u"rsLabel",  u"Frame1(0)", u"rs", 3120, 2160, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"st(6)",    u"Frame1(0)", u"", 3720, 2160, 0, 0, BoxFont},
    Control{Label,   u"alphaLabel", u"Frame1(0)", u"α", 3240, 2640, 0, 0, DimensionLabelLarge},
    Control{OptionButton, u"Option1", u"Frame1(0)", u"Option1", 2880, 2700, 255, 180, GeometryOption},
    Control{TextBox, u"st(7)",    u"Frame1(0)", u"", 3720, 2640, 0, 0, BoxFont},
    Control{Label,   u"statorTypeLabel", u"Frame1(0)", u"定子槽型", 120, 3840, 0, 0, GeometryLabel},
    Control{ComboBox, u"k2Combo1", u"Frame1(0)", u"请选择定子槽型", 1320, 3720, 3135, 0, ComboFont},
    Control{Image,   u"k2image1", u"Frame1(0)", u"", 120, 4200, 4200, 6000, Picture},

    // Rotor geometry.
    Control{Label,   u"rotorOuterLabel", u"Frame1(1)", u"外径", 240, 360, 0, 0, GeometryLabel},
    Control{TextBox, u"k4t1(0)",  u"Frame1(1)", u"", 960, 300, 0, 0, BoxFont},
    Control{Label,   u"rotorInnerLabel", u"Frame1(1)", u"内径", 240, 840, 0, 0, GeometryLabel},
    Control{TextBox, u"k4t1(1)",  u"Frame1(1)", u"", 960, 780, 0, 0, BoxFont},
    Control{Label,   u"rotorSlotsLabel", u"Frame1(1)", u"槽数", 240, 1320, 0, 0, GeometryLabel},
    Control{TextBox, u"k4t1(2)",  u"Frame1(1)", u"", 960, 1260, 0, 0, BoxFont},
    Control{Label,   u"b02Label", u"Frame1(1)", u"b02", 360, 1755, 0, 0, DimensionLabel},
    Control{TextBox, u"rt(0)",    u"Frame1(1)", u"", 960, 1740, 0, 0, BoxFont},
    Control{Label,   u"br1Label", u"Frame1(1)", u"br1", 360, 2235, 0, 0, DimensionLabel},
    Control{TextBox, u"rt(1)",    u"Frame1(1)", u"", 960, 2220, 0, 0, BoxFont},
    Control{Label,   u"br2Label", u"Frame1(1)", u"br2", 360, 2715, 0, 0, DimensionLabel},
    Control{TextBox, u"rt(2)",    u"Frame1(1)", u"", 960, 2700, 0, 0, BoxFont},
    Control{Label,   u"br3Label", u"Frame1(1)", u"br3", 360, 3195, 0, 0, DimensionLabel},
    Control{TextBox, u"rt(3)",    u"Frame1(1)", u"", 960, 3180, 0, 0, BoxFont},
    Control{Label,   u"br4Label", u"Frame1(1)", u"br4", 2040, 315, 0, 0, DimensionLabel},
    Control{TextBox, u"rt(4)",    u"Frame1(1)", u"", 2520, 300, 0, 0, BoxFont},
    Control{Label,   u"hr0Label", u"Frame1(1)", u"hr0", 2040, 800, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(5)",    u"Frame1(1)", u"", 2520, 780, 0, 0, BoxFont},
    Control{Label,   u"hr1Label", u"Frame1(1)", u"hr1", 2040, 1275, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(6)",    u"Frame1(1)", u"", 2520, 1260, 0, 0, BoxFont},
    Control{Label,   u"hr2Label", u"Frame1(1)", u"hr2", 2040, 1730, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(7)",    u"Frame1(1)", u"", 2520, 1740, 0, 0, BoxFont},
    Control{Label,   u"hr3Label", u"Frame1(1)", u"hr3", 2040, 2235, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(8)",    u"Frame1(1)", u"", 2520, 2220, 0, 0, BoxFont},
    Control{Label,   u"rr1Label", u"Frame1(1)", u"rr1", 2040, 2715, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(9)",    u"Frame1(1)", u"", 2520, 2700, 0, 0, BoxFont},
    Control{Label,   u"rr2Label", u"Frame1(1)", u"rr2", 2040, 3240, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(10)",   u"Frame1(1)", u"", 2520, 3180, 0, 0, BoxFont},
    Control{Label,   u"d1Label",  u"Frame1(1)", u"d1", 3720, 375, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(11)",   u"Frame1(1)", u"", 4200, 300, 0, 0, BoxFont},
    Control{Label,   u"d2Label",  u"Frame1(1)", u"d2", 3720, 795, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(12)",   u"Frame1(1)", u"", 4200, 780, 0, 0, BoxFont},
    Control{OptionButton, u"Option2", u"Frame1(1)", u"Option2", 3480, 1320, 255, 180, GeometryOption},
    Control{Label,   u"betaLabel", u"Frame1(1)", u"β", 3840, 1245, 0, 0, DimensionLabelLarge},
    Control{TextBox, u"rt(13)",   u"Frame1(1)", u"", 4200, 1260, 0, 0, BoxFont},
    Control{Label,   u"rotorTypeLabel", u"Frame1(1)", u"转子槽型", 120, 3840, 0, 0, GeometryLabel},
    Control{ComboBox, u"k4Combo3", u"Frame1(1)", u"请选择接转子槽型", 1320, 3720, 3135, 0, ComboFont},
    Control{Image,   u"k4Image1", u"Frame1(1)", u"", 120, 4200, 4200, 6000, Picture},

    // Model settings.
    Control{Frame,    u"Frame2(5)", u"Frame1(2)", u"软件版本", 120, 360, 5895, 1215, SettingsFrame},
    Control{Label,    u"versionLabel", u"Frame2(5)", u"FLUX版本", 120, 480, 0, 0, SettingsLabel},
    Control{ComboBox, u"Combo2", u"Frame2(5)", u"请选择软件版本", 1320, 480, 4455, 0, ComboFont},
    Control{Frame,    u"Frame2(0)", u"Frame1(2)", u"外无穷边界(Infinite box)", 120, 1680, 5895, 1215, SettingsFrame},
    Control{Label,    u"boxOuterLabel", u"Frame2(0)", u"box外径", 120, 480, 0, 0, SettingsLabel},
    Control{TextBox,  u"box(1)", u"Frame2(0)", u"", 1080, 480, 1335, 0, BoxFont},
    Control{Label,    u"boxInnerLabel", u"Frame2(0)", u"box内径", 3600, 480, 0, 0, SettingsLabel},
    Control{TextBox,  u"box(0)", u"Frame2(0)", u"", 4440, 480, 1335, 0, BoxFont},
    Control{Frame,    u"Frame2(1)", u"Frame1(2)", u"周期设置", 120, 3000, 5895, 1215, SettingsFrame},
    Control{Label,    u"periodsLabel", u"Frame2(1)", u"周期数", 120, 480, 0, 0, SettingsLabel},
    Control{TextBox,  u"pernum(0)", u"Frame2(1)", u"", 1080, 480, 855, 0, BoxFont},
    Control{Label,    u"periodTypeLabel", u"Frame2(1)", u"周期类型", 2640, 480, 0, 0, SettingsLabel},
    Control{ComboBox, u"Combo1", u"Frame2(1)", u"请选择周期类型", 3720, 480, 2055, 0, ComboFont},
    Control{Frame,    u"Frame2(2)", u"Frame1(2)", u"气隙分层", 120, 4320, 5895, 1095, SettingsFrame},
    Control{Label,    u"airLayersLabel", u"Frame2(2)", u"气隙层数", 120, 480, 0, 0, SettingsLabel},
    Control{TextBox,  u"airgap(0)", u"Frame2(2)", u"", 1080, 480, 1335, 0, BoxFont},
    Control{Frame,    u"Frame2(3)", u"Frame1(2)", u"剖分密度控制", 120, 5520, 5895, 1095, SettingsFrame},
    Control{TextBox,  u"mesh(0)", u"Frame2(3)", u"", 1080, 480, 1335, 0, BoxFont},

    // Rotor end-ring calculator.
    Control{Frame,   u"Frame2(4)", u"Frame1(2)", u"转子端环参数计算程序（可不设置）", 120, 6720, 5895, 3495, SettingsFrame},
    Control{Label,   u"barExtensionLabel", u"Frame2(4)", u"导条伸出长(m)", 120, 480, 0, 0, SettingsLabel},
    Control{TextBox, u"zb(0)", u"Frame2(4)", u"", 1920, 480, 1095, 0, BoxFont},
    Control{Label,   u"ringRadiusLabel", u"Frame2(4)", u"端环平均半径(m)", 120, 1200, 0, 0, SettingsLabel},
    Control{TextBox, u"zb(1)", u"Frame2(4)", u"", 1920, 1200, 1095, 0, BoxFont},
    Control{Label,   u"resistivityLabel", u"Frame2(4)", u"端环电阻率", 3360, 480, 0, 0, SettingsLabel},
    Control{Label,   u"resistivityUnit", u"Frame2(4)", u"(10^-6 Ωm)", 3240, 765, 0, 0, UnitLabel},
    Control{TextBox, u"zb(2)", u"Frame2(4)", u"", 4680, 480, 1095, 0, BoxFont},
    Control{Label,   u"ringAreaLabel", u"Frame2(4)", u"端环恒截面积", 3240, 1200, 0, 0, SettingsLabel},
    Control{Label,   u"ringAreaUnit", u"Frame2(4)", u"(mm^2)", 3480, 1480, 0, 0, UnitLabel},
    Control{TextBox, u"zb(3)", u"Frame2(4)", u"", 4680, 1200, 1095, 0, BoxFont},
    Control{Button,  u"Command1", u"Frame2(4)", u"计算", 1680, 1920, 2775, 615, ButtonFont},
    Control{Label,   u"leakageLabel", u"Frame2(4)", u"端部漏感", 240, 2640, 0, 0, SettingsLabel},
    Control{TextBox, u"zb(4)", u"Frame2(4)", u"", 1680, 2640, 2895, 0, BoxFont},
    Control{Label,   u"resistanceLabel", u"Frame2(4)", u"端部电阻", 240, 3120, 0, 0, SettingsLabel},
    Control{TextBox, u"zb(5)", u"Frame2(4)", u"", 1680, 3120, 2895, 0, BoxFont},
};

// The Tab key's order; disabled boxes drop out of it by themselves.
inline constexpr std::array tabOrder{
    u"k2t1(1)", u"k2t1(0)", u"k3t1(1)", u"k2Combo1",
    u"st(0)", u"st(1)", u"st(2)", u"st(3)", u"st(4)", u"st(5)", u"st(6)", u"Option1", u"st(7)",
    u"k4t1(0)", u"k4t1(1)", u"k4t1(2)", u"k4Combo3",
    u"rt(0)", u"rt(1)", u"rt(2)", u"rt(3)", u"rt(4)", u"rt(5)", u"rt(6)", u"rt(7)", u"rt(8)",
    u"rt(9)", u"rt(10)", u"rt(11)", u"rt(12)", u"Option2", u"rt(13)",
    u"Combo2", u"box(1)", u"box(0)", u"pernum(0)", u"Combo1", u"airgap(0)", u"mesh(0)",
    u"zb(0)", u"zb(1)", u"zb(2)", u"zb(3)", u"Command1", u"zb(4)", u"zb(5)",
};
// clang-format on

}  // namespace lamina::layout
