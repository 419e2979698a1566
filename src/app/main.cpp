#include "StartUp.h"
#include "UserDialogs.h"
#include "helpwin/HelpWindows.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Lamina"_s);
    QApplication::setOrganizationName(u"Lamina"_s);
    QApplication::setApplicationVersion(QStringLiteral(LAMINA_VERSION));
    QApplication::setWindowIcon(QIcon(u":/pictures/lamina.png"_s));
    lamina::addFontFallbacks();

    lamina::installQtChinese();

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(u"design"_s, u"A design file (.json) to open."_s, u"[DESIGN.json]"_s);
    parser.process(app);

    // The program folder holds res/, help/ and Projects/; the executable's
    // own folder, wherever it was started from.
    const QString programFolder = QApplication::applicationDirPath();
    lamina::WidgetDialogs dialogs;
    lamina::HelpWindows helpWindows(programFolder);

    // Every window is on its own: the program ends with its last window.
    lamina::startMainWindow(dialogs, programFolder, helpWindows, parser.positionalArguments());
    return app.exec();
}
