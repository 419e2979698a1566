#pragma once

#include <QString>

#include <exception>

namespace lamina {

// A failure that stops a command before anything reaches the disk. Every
// failure carries its message in both languages: the desktop program shows
// the Chinese one, the command-line tool prints the English one.
class LaminaError : public std::exception
{
public:
    LaminaError(QString english, QString chinese);

    const QString &english() const { return englishText; }
    const QString &chinese() const { return chineseText; }
    const char *what() const noexcept override { return englishUtf8.constData(); }

private:
    QString englishText;
    QString chineseText;
    QByteArray englishUtf8;
};

// A typed text as an error message quotes it: at most 40 characters, never
// cutting a character that takes two UTF-16 units.
QString textForMessage(const QString &text);

}  // namespace lamina
