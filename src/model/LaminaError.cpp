#include "LaminaError.h"

#include <new>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

LaminaError::LaminaError(QString english, QString chinese)
    : englishText(std::move(english))
    , chineseText(std::move(chinese))
    , englishUtf8(englishText.toUtf8())
{}

QString textForMessage(const QString &text)
{
    constexpr qsizetype limit = 40;
    if (text.size() <= limit)
        return escapedForMessage(text);
    qsizetype cut = limit;
    if (text[cut - 1].isHighSurrogate())
        --cut;
    return escapedForMessage(QStringView(text).left(cut)) + u'…';
}

namespace {

// Characters that end a line where a terminal or a message box shows the
// text, that reorder what is shown after them, or that show nothing at all
// (format characters: zero-width spaces and joiners, U+FEFF, the soft
// hyphen), so "D\u200b1" does not pass for D1.
bool needsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029
        || QChar::category(char32_t(c)) == QChar::Other_Format;
}

}  // namespace

QString escapedForMessage(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (!needsEscape(c))
            shown += qc;
        else if (c == u'\n')
            shown += u"\\n"_s;
        else if (c == u'\r')
            shown += u"\\r"_s;
        else if (c == u'\t')
            shown += u"\\t"_s;
        else if (c < 0x100)
            shown += u"\\x%1"_s.arg(int(c), 2, 16, QChar(u'0'));
        else
            shown += u"\\u%1"_s.arg(int(c), 4, 16, QChar(u'0'));
    }
    return shown;
}

namespace {

QString messageOf(const std::exception &failure, bool chinese)
{
    if (const auto *error = dynamic_cast<const LaminaError *>(&failure))
        return chinese ? error->chinese() : error->english();
    if (dynamic_cast<const std::bad_alloc *>(&failure))
        return chinese ? u"内存不足"_s : u"out of memory"_s;
    const QString what = escapedForMessage(QString::fromUtf8(failure.what()));
    return (chinese ? u"意外错误："_s : u"unexpected failure: "_s) + what;
}

}  // namespace

QString englishMessage(const std::exception &failure)
{
    return messageOf(failure, false);
}

QString chineseMessage(const std::exception &failure)
{
    return messageOf(failure, true);
}

}  // namespace lamina
