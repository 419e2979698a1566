#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace lamina::helptexts {

// help_pic: one caption and one picture per step.
struct Step
{
    QStringView caption;
    QStringView picture;  // relative to the program folder
};

inline constexpr std::array<Step, 6> steps{{
    {u"根据电机实际几何尺寸及模型设置填空", u"help/a1.jpg"},
    {u"点击菜单栏中得创建.py文件，创建FLUX2D的可执行命令文件", u"help/a2.jpg"},
    {u"将上一步生成的可执行文件复制到FLUX2D的工作文件夹下", u"help/a3.jpg"},
    {u"点击start a new project按钮，进入FLUX2D", u"help/a4.jpg"},
    {u"点击菜单栏的执行.py命令文件的快捷按钮，执行生成的命令文件", u"help/a5.jpg"},
    {u"结果查看", u"help/a6.jpg"},
}};

inline constexpr QStringView illustratedHelpTitle = u"图形示例帮助";
inline constexpr QStringView nextStep = u"下一步";
inline constexpr QStringView previousStep = u"上一步";
inline constexpr QStringView missingPicture = u"缺少图片：%1";

// soft_help.
inline constexpr QStringView descriptionTitle = u"帮助";
inline constexpr QStringView descriptionFrame = u"程序说明";
inline constexpr QStringView featuresHeading = u"V1版程序的功能： ";
inline constexpr std::array<QStringView, 6> features{
    u"1、实现拥有固定槽型（定子梨形槽，转子梯形槽）的异步电机冲片二维建模",
    u"2、方便快捷的设置infinite box参数",
    u"3、方便快捷的设置周期属性",
    u"4、方便快捷的设置剖分及气隙",
    u"5、全中文界面增加程序易用性",
    u"6、生成FLUX的命令执行文件.py",
};
inline constexpr QStringView usageHeading = u"V1版程序的使用方法：";
inline constexpr QStringView examplesButton = u"图形示例";
inline constexpr QStringView outlookHeading = u"V2版程序展望：";

// A line of a wrapping caption and the blanks that fill it to a whole
// number of rows, so that the next line starts on a row of its own.
struct CaptionLine
{
    QStringView text;
    int trailingBlanks;
};

inline constexpr std::array<CaptionLine, 3> usageLines{{
    {u"按照实际的电机几何模型设置参数，并赋几何模型相关设置。然后点击创建.py文件", 73},
    {u"到指定文件夹下（不要有中文目录），打开flux2d,并选择新建，然后执行该.py文", 74},
    {u"件即可", 0},
}};

inline constexpr std::array<CaptionLine, 4> outlookLines{{
    {u"由于个人精力有限，只能抽时间进行完善，但本程序长期更新并征求大家的建议和", 74},
    {u"意见。", 140},
    {u"下一版程序将根据大家的意见添加3~6个槽型（争取每个版本都有新的槽型），然后", 73},
    {u"实现电路的直接创建（包含转子导条端部参数）", 0},
}};

template<std::size_t N>
QString joinedCaption(const std::array<CaptionLine, N> &lines)
{
    QString caption;
    for (const CaptionLine &line : lines)
        caption += line.text.toString() + QString(line.trailingBlanks, u' ');
    return caption;
}

// soft_about.
inline constexpr QStringView aboutTitle = u"关于程序";
inline constexpr QStringView authorHeading = u"程序作者：";
inline constexpr QStringView contactHeading = u"联系方式：";
inline constexpr QStringView thanksHeading = u"致谢：";
inline constexpr QStringView author = u"Lamina 开发组（冲片）";
inline constexpr QStringView contact = u"Lamina 项目 · 问题与建议请寄 lamina@example.org";
inline constexpr QStringView versionLine = u"Lamina 版本 %1 · Qt %2";
inline constexpr QStringView thanks = u"感谢每一位报告问题、提出建议的用户，是你们让 Lamina 更可靠。";

}  // namespace lamina::helptexts
