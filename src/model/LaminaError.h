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
// cutting a character that takes two UTF-16 units, escaped as below.
QString textForMessage(const QString &text);

// text with every character that would break a one-line message or hide
// what it shows escaped C-style: \n, \r, \t, \xNN for the other control
// characters, \uNNNN for line separators and for format characters
// (direction overrides, zero-width spaces and joiners, U+FEFF), which show
// nothing.
QString escapedForMessage(QStringView text);

// The message for a failure that reached the top of a command: a
// LaminaError's own text, or a plain account of anything else (out of
// memory, a fault in a library), so that no failure ends the program.
QString englishMessage(const std::exception &failure);
QString chineseMessage(const std::exception &failure);

}  // namespace lamina
