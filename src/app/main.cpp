#include "Fonts.h"
#include "MainWindow.h"
#include "UserDialogs.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Lamina"_s);
    QApplication::setWindowIcon(QIcon(u":/pictures/lamina.png"_s));
    lamina::addFontFallbacks();

    lamina::WidgetDialogs dialogs;
    auto *window = new lamina::MainWindow(dialogs, QApplication::applicationDirPath());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return app.exec();
}
