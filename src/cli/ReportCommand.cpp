#include "ReportCommand.h"

#include "CliSupport.h"
#include "geometry/DesignChecks.h"
#include "geometry/DesignData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace lamina::cli {
namespace {

QJsonValue jsonNumber(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

// Puts value at "key" or "object/key".
void insertAt(QJsonObject &root, const QString &path, const QJsonValue &value)
{
    const qsizetype slash = path.indexOf(u'/');
    if (slash < 0) {
        root.insert(path, value);
        return;
    }
    const QString objectKey = path.left(slash);
    QJsonObject inner = root.value(objectKey).toObject();
    inner.insert(path.mid(slash + 1), value);
    root.insert(objectKey, inner);
}

QByteArray asJson(const DesignData &data, const std::vector<Finding> &findings)
{
    QJsonObject root;
    for (const DesignDataRow &row : designDataRows(data)) {
        insertAt(root, row.firstKey, jsonNumber(row.first));
        if (row.paired)
            insertAt(root, row.secondKey, jsonNumber(row.second));
    }
    root.insert(u"units"_s,
                QJsonObject{
                    {u"length"_s, u"mm"_s},
                    {u"area"_s, u"mm2"_s},
                    {u"angle"_s, u"degree"_s},
                    {u"inductance"_s, u"H"_s},
                    {u"resistance"_s, u"ohm"_s},
                });
    QJsonArray list;
    for (const Finding &finding : findings) {
        list.append(QJsonObject{
            {u"severity"_s, finding.severity == Severity::error ? u"error"_s : u"warning"_s},
            {u"keys"_s, QJsonArray::fromStringList(finding.keys)},
            {u"message"_s, finding.english},
        });
    }
    root.insert(u"findings"_s, list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// One figure per line, keyed as in the JSON report with a dot.
QByteArray asCsv(const DesignData &data)
{
    QString text = u"key,value,unit\n"_s;
    const auto line = [&text](const QString &key, double value, const QString &unit) {
        text += QString(key).replace(u'/', u'.') + u','
            + (std::isfinite(value) ? QString::number(value, 'g', 12) : QString()) + u',' + unit + u'\n';
    };
    for (const DesignDataRow &row : designDataRows(data)) {
        line(row.firstKey, row.first, row.unit);
        if (row.paired)
            line(row.secondKey, row.second, row.unit);
    }
    return text.toUtf8();
}

QByteArray asTable(const DesignData &data, const std::vector<Finding> &findings)
{
    const std::vector<DesignDataRow> rows = designDataRows(data);
    qsizetype labelWidth = 0;
    for (const DesignDataRow &row : rows)
        labelWidth = std::max(labelWidth, row.english.size());
    const auto line = [labelWidth](const QString &label, const QString &stator, const QString &rotor,
                                   const QString &unit) {
        QString text = label.leftJustified(labelWidth) + u"  "_s + stator.rightJustified(12) + u"  "_s
            + rotor.rightJustified(12) + u"  "_s + unit;
        while (text.endsWith(u' '))
            text.chop(1);
        return text + u'\n';
    };
    QString text = line(QString(), u"stator"_s, u"rotor"_s, u"unit"_s);
    for (const DesignDataRow &row : rows)
        text += line(row.english, designFigureText(row.first),
                     row.paired ? designFigureText(row.second) : QString(), row.unit);
    text += u"\nCarter factor k = τ / (τ − γδ), γ = (b0/δ)² / (5 + b0/δ), as in Boldea and Nasar,\n"
            u"The Induction Machine Handbook; slot-combination rules as in Sawhney,\n"
            u"A Course in Electrical Machine Design (given the key poles).\n"_s;
    if (!findings.empty())
        text += u'\n';
    for (const Finding &finding : findings)
        text += (finding.severity == Severity::error ? u"error: "_s : u"warning: "_s) + finding.english
            + u'\n';
    return text.toUtf8();
}

}  // namespace

int runReport(const QCommandLineParser &parser)
{
    if (parser.isSet(u"output"_s) || parser.isSet(u"force"_s) || parser.isSet(u"size"_s))
        throw UsageProblem{u"report takes no --output, --force or --size; it prints to standard output"_s};
    const QString format = parser.isSet(u"format"_s) ? parser.value(u"format"_s) : u"text"_s;
    if (format != u"text" && format != u"json" && format != u"csv")
        throw UsageProblem{u"--format must be text, json or csv, not \"%1\""_s.arg(format)};

    const Design design = loadDesign(parser);
    const MotorModel model = modelFromDesign(design);
    const DesignData data = computeDesignData(model);
    const std::vector<Finding> findings = checkDesign(model, design.poles);
    if (!data.complete()) {
        // The checks' first error about the missing part names the value at fault.
        const auto error = std::find_if(findings.begin(), findings.end(), [&data](const Finding &f) {
            return f.severity == Severity::error
                && std::any_of(f.keys.begin(), f.keys.end(),
                               [&data](const QString &key) { return data.problemKeys.contains(key); });
        });
        printError(u"no design data: "_s + data.problemEnglish
                   + (error != findings.end() ? u" (%1)"_s.arg(error->english) : QString()));
        return Failure;
    }
    if (format == u"json")
        printOut(asJson(data, findings));
    else if (format == u"csv") {
        printOut(asCsv(data));
        printWarnings(findings);
    } else
        printOut(asTable(data, findings));
    return Success;
}

}  // namespace lamina::cli
