#include "Design.h"

#include "model/Gathering.h"
#include "slots/SlotTypes.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <charconv>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

std::optional<QString> *pickSlot(Design &design, QStringView key)
{
    if (key == u"statorSlotType")
        return &design.statorSlotType;
    if (key == u"rotorSlotType")
        return &design.rotorSlotType;
    if (key == u"periodicityType")
        return &design.periodicityType;
    if (key == u"fluxVersion")
        return &design.fluxVersion;
    return nullptr;
}

std::string utf8(const QString &text)
{
    return text.toStdString();
}

QString numberAsText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

}  // namespace

void setDesignValue(Design &design, const QString &key, const QString &text)
{
    if (std::optional<QString> *pick = pickSlot(design, key)) {
        *pick = text;
        return;
    }
    if (key == u"poles") {
        design.poles = text;
        return;
    }
    if (!findInputField(key))
        throw DesignError("unknown design key \"" + utf8(key) + "\"");
    design.texts.insert(key, text);
}

void applyDesignJson(Design &design, const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw DesignError("malformed JSON at byte " + std::to_string(error.offset) + ": "
                          + utf8(error.errorString()));
    if (!document.isObject())
        throw DesignError("a design file must hold one JSON object");

    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue value = it.value();
        QString text;
        if (value.isString()) {
            text = value.toString();
        } else if (value.isDouble()) {
            text = numberAsText(value.toDouble());
        } else {
            throw DesignError("design key \"" + utf8(it.key()) + "\" must be a text or a number");
        }
        setDesignValue(design, it.key(), text);
    }
}

QJsonObject designToJson(const Design &design)
{
    QJsonObject object;
    for (const InputField &field : inputFields)
        object.insert(field.key.toString(), design.texts.value(field.key.toString()));
    const auto insertPick = [&object](QStringView key, const std::optional<QString> &pick) {
        if (pick)
            object.insert(key.toString(), *pick);
    };
    insertPick(u"statorSlotType", design.statorSlotType);
    insertPick(u"rotorSlotType", design.rotorSlotType);
    insertPick(u"periodicityType", design.periodicityType);
    insertPick(u"fluxVersion", design.fluxVersion);
    object.insert(u"poles"_s, design.poles);
    return object;
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
