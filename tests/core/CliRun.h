#pragma once

// Running the built lamina-cli and reading back what it wrote.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

struct CliRun
{
    int status;
    QByteArray out;
    QByteArray err;
};

inline CliRun cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LAMINA_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
