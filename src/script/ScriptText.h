#pragma once

#include <QByteArray>

#include <string>
#include <string_view>

namespace lamina {

// The script being written, in memory. The script is GBK text with CR LF
// after every line and no byte-order mark: FLUX2D on a Chinese Windows reads
// command files in the system code page (936). All fixed pieces are ASCII or
// already GBK; texts the user typed are encoded by ScriptWriter before they
// get here.
class ScriptText
{
public:
    // One line: the pieces joined as they stand, then CR LF.
    template<typename... Pieces>
    void line(const Pieces &...pieces)
    {
        (append(pieces), ...);
        text += "\r\n";
    }

    void emptyLine() { text += "\r\n"; }

    QByteArray bytes() const { return QByteArray(text.data(), qsizetype(text.size())); }
    const std::string &str() const { return text; }

private:
    void append(const char *piece) { text += piece; }
    void append(std::string_view piece) { text += piece; }
    void append(const QByteArray &piece) { text.append(piece.constData(), std::size_t(piece.size())); }

    std::string text;
};

}  // namespace lamina
