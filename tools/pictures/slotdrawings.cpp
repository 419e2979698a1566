#include "slotdrawings.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina::pictures {

QImage paintSlot(const SlotDrawing &drawing, QStringList &problems)
{
    Sheet sheet(slotPictureWidth, slotPictureHeight);
    drawing.draw(sheet);
    sheet.caption(drawing.name.toString());
    QImage image = sheet.finish();
    for (const QString &problem : sheet.problems())
        problems << drawing.file.toString() + u": "_s + problem;
    return image;
}

} // namespace lamina::pictures
