#include "Design.h"

#include "model/Gathering.h"
#include "slots/SlotTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

// Where a byte offset into a text lies, as an editor counts: line and
// column from 1, the column in characters.
std::pair<qsizetype, qsizetype> lineAndColumn(const QByteArray &bytes, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, bytes.size());
    const QByteArrayView before(bytes.constData(), offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = QString::fromUtf8(before.sliced(lineStart)).size() + 1;
    return {line, column};
}

// A JSON string's text from the bytes between its quotes, escapes and all;
// the document has parsed already, so every escape is complete.
QString jsonStringText(QByteArrayView raw)
{
    // Kept, not skipped as a byte-order mark: that is what is looked for.
    const auto utf8 = [](QByteArrayView bytes) {
        return QString(QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(bytes));
    };
    QString text;
    qsizetype plainStart = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\')
            continue;
        text += utf8(raw.sliced(plainStart, i - plainStart));
        const char escaped = i + 1 < raw.size() ? raw[i + 1] : '\\';
        switch (escaped) {
        case 'b': text += u'\b'; break;
        case 'f': text += u'\f'; break;
        case 'n': text += u'\n'; break;
        case 'r': text += u'\r'; break;
        case 't': text += u'\t'; break;
        case 'u':
            // A surrogate pair is two escapes, each one UTF-16 unit.
            text += QChar(char16_t(QByteArray(raw.sliced(i + 2, 4).data(), 4).toUShort(nullptr, 16)));
            i += 4;
            break;
        default: text += QChar::fromLatin1(escaped); break;
        }
        ++i;
        plainStart = i + 1;
    }
    return text + utf8(raw.sliced(plainStart));
}

// Refuses what QJsonDocument would let pass unseen: it keeps only the last
// of two equal keys and drops a U+FEFF that starts a key, so the object's
// own keys are read once more from the bytes.
void refuseHiddenKeys(const QByteArray &json)
{
    QHash<QString, qsizetype> firstAt;
    int depth = 0;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == '"') {
            const qsizetype start = i + 1;
            for (++i; i < json.size() && json[i] != '"'; ++i) {
                if (json[i] == '\\')
                    ++i;
            }
            qsizetype after = i + 1;
            while (after < json.size() && QByteArrayView(" \t\r\n").contains(json[after]))
                ++after;
            if (depth != 1 || after >= json.size() || json[after] != ':')
                continue;
            const QString key = jsonStringText(QByteArrayView(json).sliced(start, i - start));
            const qsizetype line = lineAndColumn(json, start).first;
            if (key.startsWith(QChar(0xFEFF)))
                throw DesignError(
                    u"line %1: design key \"%2\" starts with an invisible U+FEFF"_s.arg(line).arg(
                        textForMessage(key)),
                    u"第 %1 行：设计项“%2”以不可见字符 U+FEFF 开头"_s.arg(line).arg(textForMessage(key)));
            const auto first = firstAt.constFind(key);
            if (first != firstAt.constEnd())
                throw DesignError(u"line %1: design key \"%2\" is given twice (first on line %3)"_s.arg(line)
                                      .arg(textForMessage(key))
                                      .arg(*first),
                                  u"第 %1 行：设计项“%2”重复出现（首次在第 %3 行）"_s.arg(line)
                                      .arg(textForMessage(key))
                                      .arg(*first));
            firstAt.insert(key, line);
        }
    }
}

QString numberAsText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

}  // namespace

const DesignPick *findDesignPick(QStringView key)
{
    for (const DesignPick &pick : designPicks) {
        if (pick.key == key)
            return &pick;
    }
    return nullptr;
}

void setDesignValue(Design &design, const QString &key, const QString &text)
{
    if (const DesignPick *pick = findDesignPick(key)) {
        design.*(pick->member) = text;
        return;
    }
    if (key == u"poles") {
        design.poles = text;
        return;
    }
    if (!findInputField(key))
        throw DesignError(u"unknown design key \"%1\""_s.arg(textForMessage(key)),
                          u"未知的设计项“%1”"_s.arg(textForMessage(key)));
    design.texts.insert(key, text);
}

void applyDesignJson(Design &design, const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(json, error.offset);
        throw DesignError(
            u"malformed JSON at line %1, column %2: %3"_s.arg(line).arg(column).arg(error.errorString()),
            u"JSON 格式错误，第 %1 行第 %2 列：%3"_s.arg(line).arg(column).arg(error.errorString()));
    }
    if (!document.isObject())
        throw DesignError(u"a design file must hold one JSON object"_s, u"设计文件应只含一个 JSON 对象"_s);
    refuseHiddenKeys(json);

    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue value = it.value();
        QString text;
        if (value.isString()) {
            text = value.toString();
        } else if (value.isDouble()) {
            text = numberAsText(value.toDouble());
        } else {
            throw DesignError(u"design key \"%1\" must be a text or a number"_s.arg(textForMessage(it.key())),
                              u"设计项“%1”的值应为文本或数字"_s.arg(textForMessage(it.key())));
        }
        setDesignValue(design, it.key(), text);
    }
}

QJsonObject designToJson(const Design &design)
{
    QJsonObject object;
    for (const InputField &field : inputFields)
        object.insert(field.key.toString(), design.texts.value(field.key.toString()));
    for (const DesignPick &pick : designPicks) {
        if (const std::optional<QString> &made = design.*(pick.member))
            object.insert(pick.key.toString(), *made);
    }
    object.insert(u"poles"_s, design.poles);
    return object;
}

QByteArray designFileBytes(const Design &design)
{
    // QJsonObject keeps its keys sorted, and the indented form ends with a
    // line feed.
    return QJsonDocument(designToJson(design)).toJson(QJsonDocument::Indented);
}

void applyDesignFile(Design &design, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    // Checked before opening: opening a FIFO would wait for a writer, and a
    // device such as /dev/zero never ends.
    const QFileInfo info(path);
    if (!info.exists())
        throw DesignError(u"design file \"%1\" does not exist"_s.arg(name),
                          u"设计文件“%1”不存在"_s.arg(name));
    if (!info.isFile())
        throw DesignError(u"design file \"%1\" is not a regular file"_s.arg(name),
                          u"“%1”不是普通文件，不能作为设计文件"_s.arg(name));
    const auto tooLarge = [&name] {
        return DesignError(
            u"design file \"%1\" is larger than %2 bytes; a design is far smaller"_s.arg(name).arg(
                maxDesignFileBytes),
            u"设计文件“%1”超过 %2 字节，不是设计文件"_s.arg(name).arg(maxDesignFileBytes));
    };
    if (info.size() > maxDesignFileBytes)
        throw tooLarge();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DesignError(u"cannot read design file \"%1\": %2"_s.arg(name, file.errorString()),
                          u"无法读取设计文件“%1”：%2"_s.arg(name, file.errorString()));
    // The file may have grown since it was measured: read one byte past the
    // limit and no more.
    const QByteArray bytes = file.read(maxDesignFileBytes + 1);
    if (bytes.size() > maxDesignFileBytes)
        throw tooLarge();
    if (file.error() != QFileDevice::NoError)
        throw DesignError(u"cannot read design file \"%1\": %2"_s.arg(name, file.errorString()),
                          u"无法读取设计文件“%1”：%2"_s.arg(name, file.errorString()));
    try {
        applyDesignJson(design, bytes);
    } catch (const DesignError &error) {
        throw DesignError(u"design file \"%1\": %2"_s.arg(name, error.english()),
                          u"设计文件“%1”：%2"_s.arg(name, error.chinese()));
    }
}

Design readDesignFile(const QString &path)
{
    Design design;
    applyDesignFile(design, path);
    return design;
}

Design completeDesign()
{
    Design design;
    design.statorSlotType = drawnStatorSlotName.toString();
    design.rotorSlotType = drawnRotorSlotName.toString();
    design.periodicityType = oddPeriodicityName.toString();
    design.fluxVersion = fluxVersionNames[1].toString();
    return design;
}

MotorModel modelFromDesign(const Design &design)
{
    MotorModel model;
    InputTexts texts = design.texts;
    if (design.statorSlotType) {
        if (pickStatorSlotType(*design.statorSlotType, model).disableRs)
            texts.insert(u"R21"_s, u"0"_s);
    }
    if (design.rotorSlotType)
        pickRotorSlotType(*design.rotorSlotType, model);
    if (design.periodicityType)
        pickPeriodicityType(*design.periodicityType, model);
    if (design.fluxVersion)
        pickFluxVersion(*design.fluxVersion, model);
    gatherInputs(texts, model);
    return model;
}

}  // namespace lamina
