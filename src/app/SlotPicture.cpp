#include "SlotPicture.h"

#include "WindowTexts.h"

#include <QImageReader>

namespace lamina {

SlotPicture::SlotPicture(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
    setWordWrap(true);
}

bool SlotPicture::showFile(const QString &path, const QString &shownName)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        setPixmap(QPixmap());
        setText(texts::missingPicture.toString().arg(shownName));
        return false;
    }
    setPixmap(QPixmap::fromImage(image));
    return true;
}

void SlotPicture::showResource(const QString &resource)
{
    showFile(resource, resource);
}

void SlotPicture::clearPicture()
{
    setPixmap(QPixmap());
    setText(QString());
}

} // namespace lamina
