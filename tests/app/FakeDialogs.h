#pragma once

#include "app/UserDialogs.h"

#include <QQueue>
#include <QStringList>

// Answers the window's questions from queues and records what it said.
class FakeDialogs : public lamina::UserDialogs
{
public:
    QQueue<QString> fileNames;
    QQueue<bool> answers;
    QStringList asked;      // "title|text" of every question
    QStringList informed;   // "title|text"
    QStringList warned;     // "title|text"
    QString lastFolder;
    QString lastFilter;

    QString askSaveFileName(QWidget *, const QString &folder, const QString &filter) override
    {
        lastFolder = folder;
        lastFilter = filter;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    bool askYesNo(QWidget *, const QString &title, const QString &text) override
    {
        asked << title + u'|' + text;
        return answers.isEmpty() ? false : answers.dequeue();
    }
    void inform(QWidget *, const QString &title, const QString &text) override
    {
        informed << title + u'|' + text;
    }
    void warn(QWidget *, const QString &title, const QString &text) override
    {
        warned << title + u'|' + text;
    }
};
