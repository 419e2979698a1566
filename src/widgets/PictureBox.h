#pragma once

#include <QLabel>

namespace lamina {

// An image or picture box: shows a picture at its own size from its
// top-left corner, never stretched. A picture that cannot be read leaves a
// short notice naming it instead of failing.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Loads the file; returns false (and shows the notice) when it cannot.
    bool showFile(const QString &path, const QString &shownName);
    void showResource(const QString &resource);
    void clearPicture();

    bool hasPicture() const { return !pixmap().isNull(); }
};

}  // namespace lamina
