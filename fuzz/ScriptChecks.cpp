#include "ScriptChecks.h"

#include "model/LaminaError.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace lamina::fuzz {
namespace {

constexpr std::string_view shaftLine
    = "RegionFace(name='Shaft',color=Color['turquoise'],visibility=Visibility['VISIBLE'])";

// How a non-finite double prints in C, C++, Qt and Python.
constexpr std::array<std::string_view, 5> nonFiniteWords{"inf", "nan", "INF", "NAN", "NaN"};

std::string_view shown(std::string_view line)
{
    return line.substr(0, 200);
}

QByteArray gbk(const QString &text)
{
    return QStringEncoder("GBK").encode(text);
}

std::vector<std::string_view> linesOf(std::string_view script)
{
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < script.size();) {
        const std::size_t end = script.find("\r\n", start);
        lines.push_back(script.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void requireLineEnds(std::string_view script)
{
    if (script.size() < 2 || !script.ends_with("\r\n"))
        fail("the script does not end with CR LF");
    for (std::size_t i = 0; i < script.size(); ++i) {
        const auto c = static_cast<unsigned char>(script[i]);
        if (c == '\n' && (i == 0 || script[i - 1] != '\r'))
            fail("a line feed without a carriage return at byte %zu", i);
        if (c == '\r' && (i + 1 == script.size() || script[i + 1] != '\n'))
            fail("a carriage return without a line feed at byte %zu", i);
        // A TAB may come with a copied text; the lines' own check below.
        if ((c < 0x20 && c != '\r' && c != '\n' && c != '\t') || c == 0x7f)
            fail("control byte 0x%02x at byte %zu", c, i);
    }
}

// Each line decodes on its own: CR and LF cannot be the second byte of a
// GBK pair, so a pair never spans a line end. Only the lines with a byte
// past ASCII can fail, and most lines have none, which spares the decoder
// most of the script.
void requireGbk(const std::vector<std::string_view> &lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (std::none_of(line.begin(), line.end(),
                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            continue;
        const QByteArray bytes(line.data(), qsizetype(line.size()));
        // Stateless, so a sequence cut off at the end counts as an error too.
        QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        if (decoder.hasError())
            fail("line %zu is not valid GBK", i + 1);
        // The decoder lets some invalid bytes through as private-use
        // characters that do not encode back.
        if (gbk(text) != bytes)
            fail("line %zu does not survive a GBK round trip", i + 1);
    }
}

// The first non-finite word or TAB in a line the writer made itself, in one
// pass of plain comparisons (a search per word would run the fuzzer's
// memcmp hook over the whole script five times).
std::string_view strayWord(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t')
            return "\t";
        if (i + 3 > line.size())
            continue;
        for (std::string_view word : nonFiniteWords) {
            if (line[i] == word[0] && line[i + 1] == word[1] && line[i + 2] == word[2])
                return word;
        }
    }
    return {};
}

}  // namespace

void fail(const char *format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("lamina fuzz: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
    std::abort();
}

void requireCompleteScript(const QByteArray &script, const MotorModel &model)
{
    const std::string_view bytes(script.constData(), std::size_t(script.size()));
    requireLineEnds(bytes);
    const std::vector<std::string_view> lines = linesOf(bytes);
    requireGbk(lines);

    if (lines.back() != shaftLine)
        fail("the last line is \"%.*s\"", int(shown(lines.back()).size()), shown(lines.back()).data());

    // The two lines that carry the user's texts may hold any word; they must
    // hold exactly those texts.
    constexpr std::size_t headerIndex = 0;
    constexpr std::size_t periodicityIndex = 8;
    const QByteArray header = "#! " + gbk(model.fluxVersion);
    const QByteArray periodicity = "PeriodicityNumberZaxis(physicalType=" + gbk(model.periodicityTypeText)
        + gbk(model.repetitionNumberText) + "domainOriginAngle='0')";
    if (lines.size() <= periodicityIndex || lines[headerIndex] != header.toStdString()
        || lines[periodicityIndex] != periodicity.toStdString())
        fail("the copied texts of the header or the periodicity line are not as typed");

    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == headerIndex || i == periodicityIndex)
            continue;
        const std::string_view word = strayWord(lines[i]);
        if (!word.empty())
            fail("line %zu holds \"%.*s\": \"%.*s\"", i + 1, int(word.size()), word.data(),
                 int(shown(lines[i]).size()), shown(lines[i]).data());
    }
}

void requireScriptOrCleanError(const Design &design)
{
    try {
        const MotorModel model = modelFromDesign(design);
        requireCompleteScript(writeScript(model), model);
    } catch (const LaminaError &error) {
        if (error.english().isEmpty() || error.chinese().isEmpty())
            fail("an error without a message");
    }
}

}  // namespace lamina::fuzz
