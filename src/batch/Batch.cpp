#include "Batch.h"

#include "files/FileMessages.h"
#include "files/SaveFile.h"
#include "geometry/DesignChecks.h"
#include "model/LaminaError.h"
#include "replay/ScriptProof.h"
#include "script/ScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

constexpr std::size_t savesAtATime = 8;

int countOf(const std::vector<Finding> &findings, Severity severity)
{
    return int(std::count_if(findings.begin(), findings.end(),
                             [severity](const Finding &finding) { return finding.severity == severity; }));
}

QString statusText(VariantStatus status)
{
    switch (status) {
    case VariantStatus::written: return u"written"_s;
    case VariantStatus::refused: return u"refused"_s;
    case VariantStatus::errors: return u"errors"_s;
    }
    return QString();
}

QString counted(int count, const QString &thing)
{
    return u"%1 %2%3"_s.arg(count).arg(thing, count == 1 ? QString() : u"s"_s);
}

QString existsText(const QString &path)
{
    return u"\"%1\" exists already; add --force to replace it"_s.arg(path);
}

// Makes the folder and those above it, like mkdir -p, and says why not.
void makeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        throw LaminaError(u"cannot use %1 as the output folder: it is not a folder"_s.arg(quotedPath(path)),
                          u"无法使用 %1 作为输出文件夹：它不是文件夹"_s.arg(quotedPath(path)));
    if (info.isDir())
        return;
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    QString made;
    for (const QString &part : parts) {
        made += u'/' + part;
        // Another batch may make the same folder at the same moment.
        if (QFileInfo(made).isDir() || ::mkdir(QFile::encodeName(made).constData(), 0777) == 0)
            continue;
        if (errno == EEXIST) {
            if (QFileInfo(made).isDir())
                continue;
            errno = ENOTDIR;
        }
        const FileErrorCause cause = causeOfError(errno, Blame::folder);
        throw LaminaError(u"cannot create the output folder %1: %2"_s.arg(quotedPath(path), cause.english),
                          u"无法创建输出文件夹 %1：%2"_s.arg(quotedPath(path), cause.chinese));
    }
}

void generate(const Design &base, const Variant &variant, const QString &path, const BatchOptions &options,
              VariantOutcome &outcome)
{
    Design design = base;
    for (const DesignSetting &setting : variant.settings)
        setDesignValue(design, setting.key, setting.text);
    const MotorModel model = modelFromDesign(design);
    const std::vector<Finding> findings = checkScriptDesign(model, design.poles);
    outcome.errors = countOf(findings, Severity::error);
    outcome.warnings = countOf(findings, Severity::warning);
    const auto firstError = std::find_if(findings.begin(), findings.end(), [](const Finding &finding) {
        return finding.severity == Severity::error;
    });
    if (options.strict && firstError != findings.end()) {
        outcome.status = VariantStatus::errors;
        outcome.reason = firstError->english;
        return;
    }
    const ProvenScript script = provenScript(model);
    outcome.warnings = *outcome.warnings + int(script.findings.size());
    if (options.strict && !script.findings.empty()) {
        outcome.status = VariantStatus::errors;
        outcome.reason = script.findings.front().english;
        return;
    }
    // Checked again by the save itself, which never replaces a file that
    // another program put there meanwhile.
    if (!options.force && QFileInfo::exists(path)) {
        outcome.reason = existsText(path);
        return;
    }
    try {
        saveFile(path, script.bytes, options.force ? ExistingFile::replace : ExistingFile::keep);
    } catch (const FileExistsError &) {
        outcome.reason = existsText(path);
        return;
    }
    outcome.status = VariantStatus::written;
    if (!findings.empty())
        outcome.reason = findings.front().english;
    else if (!script.findings.empty())
        outcome.reason = script.findings.front().english;
}

VariantOutcome writeVariant(const Design &base, const Variant &variant, const QDir &folder,
                            const BatchOptions &options)
{
    VariantOutcome outcome;
    outcome.name = variant.name;
    outcome.file = variantFileName(variant);
    try {
        generate(base, variant, folder.filePath(outcome.file), options, outcome);
    } catch (const LaminaError &error) {
        outcome.status = VariantStatus::refused;
        outcome.reason = error.english();
    } catch (const std::exception &error) {  // DesignError, or out of memory
        outcome.status = VariantStatus::refused;
        outcome.reason = QString::fromUtf8(error.what());
    }
    return outcome;
}

QString countText(const std::optional<int> &count)
{
    return count ? QString::number(*count) : QString();
}

}  // namespace

std::vector<VariantOutcome> writeBatch(const Design &base, const VariantPlan &variants,
                                       const BatchOptions &options,
                                       const std::function<void(const VariantOutcome &)> &onEach)
{
    makeFolder(options.outputDir);
    const QDir folder(options.outputDir);
    const QString summaryPath = folder.filePath(summaryFileName.toString());
    const auto summaryExists
        = [&summaryPath] { return LaminaError(existsText(summaryPath), u"“%1”已存在"_s.arg(summaryPath)); };
    if (!options.force && QFileInfo::exists(summaryPath))
        throw summaryExists();

    // Each save waits for its bytes to reach the disk; several saves at a
    // time share that wait. Outcomes are still heard in the variants' order.
    std::vector<std::optional<VariantOutcome>> done(variants.size());
    std::mutex doneMutex;
    std::condition_variable doneChanged;
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t i; (i = next++) < variants.size();) {
            VariantOutcome outcome = writeVariant(base, variants[i], folder, options);
            const std::lock_guard lock(doneMutex);
            done[i] = std::move(outcome);
            doneChanged.notify_all();
        }
    };
    std::vector<std::jthread> workers;
    for (std::size_t i = 0; i < std::min<std::size_t>(savesAtATime, variants.size()); ++i)
        workers.emplace_back(work);

    std::vector<VariantOutcome> outcomes;
    outcomes.reserve(variants.size());
    for (std::size_t i = 0; i < variants.size(); ++i) {
        {
            std::unique_lock lock(doneMutex);
            doneChanged.wait(lock, [&] { return done[i].has_value(); });
            outcomes.push_back(*done[i]);
        }
        if (onEach)
            onEach(outcomes.back());
    }
    try {
        saveFile(summaryPath, summaryCsv(outcomes),
                 options.force ? ExistingFile::replace : ExistingFile::keep);
    } catch (const FileExistsError &) {
        throw summaryExists();
    }
    return outcomes;
}

QString outcomeLine(const VariantOutcome &outcome)
{
    QString line = outcome.file + u": "_s + statusText(outcome.status);
    if (outcome.errors && outcome.warnings)
        line += u"; "_s + counted(*outcome.errors, u"error"_s) + u", "_s
            + counted(*outcome.warnings, u"warning"_s);
    if (!outcome.reason.isEmpty())
        line += u"; "_s + outcome.reason;
    return line;
}

QByteArray summaryCsv(const std::vector<VariantOutcome> &outcomes)
{
    QByteArray bytes = "\xEF\xBB\xBF";
    bytes += csvRecord({u"name"_s, u"file"_s, u"status"_s, u"errors"_s, u"warnings"_s, u"reason"_s});
    for (const VariantOutcome &outcome : outcomes)
        bytes += csvRecord({outcome.name, outcome.file, statusText(outcome.status), countText(outcome.errors),
                            countText(outcome.warnings), outcome.reason});
    return bytes;
}

}  // namespace lamina
