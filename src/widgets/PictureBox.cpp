#include "PictureBox.h"

#include <QImageReader>

namespace lamina {

PictureBox::PictureBox(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
    setWordWrap(true);
}

bool PictureBox::showFile(const QString &path, const QString &shownName)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        setPixmap(QPixmap());
        setText(QStringLiteral("缺少图片：\n%1").arg(shownName));
        return false;
    }
    setPixmap(QPixmap::fromImage(image));
    return true;
}

void PictureBox::showResource(const QString &resource)
{
    showFile(resource, resource);
}

void PictureBox::clearPicture()
{
    setPixmap(QPixmap());
    setText(QString());
}

}  // namespace lamina
