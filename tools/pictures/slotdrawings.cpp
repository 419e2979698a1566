#include "slotdrawings.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina::pictures {

const SlotDrawing *slotDrawing(const SlotShape &shape)
{
    for (const SlotDrawing &drawing :
         shape.side == SlotSide::stator ? statorSlotDrawings() : rotorSlotDrawings()) {
        if (drawing.number == shape.number)
            return &drawing;
    }
    return nullptr;
}

QImage paintSlot(const SlotShape &shape, const SlotDrawing &drawing, QStringList &problems)
{
    Sheet sheet(slotPictureWidth, slotPictureHeight);
    drawing.draw(sheet);
    sheet.caption(shape.name.toString());
    QImage image = sheet.finish();
    for (const QString &problem : sheet.problems())
        problems << shape.picture.toString() + u": "_s + problem;
    return image;
}

} // namespace lamina::pictures
