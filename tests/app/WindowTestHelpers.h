#pragma once

// Small helpers the window tests share.

#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTest>

namespace windowtest {

inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Picks list entry `index` as a mouse click in the list would.
inline void pick(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

// Picks a list's entry by its text, as the user would.
inline void pickName(QComboBox *combo, const QString &name)
{
    const int index = combo->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    pick(combo, index);
}

// Keeps the window's settings (recent designs, the last folder) in a
// scratch folder, away from the user's own.
inline void useScratchSettings(const QString &testName, const QString &folder)
{
    QCoreApplication::setOrganizationName(QStringLiteral("LaminaTest"));
    QCoreApplication::setApplicationName(testName);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

}  // namespace windowtest
