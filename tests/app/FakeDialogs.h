#pragma once

#include "app/UserDialogs.h"

#include <QQueue>
#include <QStringList>

// Answers the window's questions from queues and records what it said.
class FakeDialogs : public lamina::UserDialogs
{
public:
    QQueue<QString> fileNames;      // answers to the save dialog
    QQueue<QString> chosenFilters;  // the filter picked with each save answer, if any
    QQueue<QString> openNames;      // answers to the open dialog
    QQueue<bool> answers;
    QQueue<lamina::SaveChanges> saveChanges;  // answers to "save the changes?"
    QStringList askedToSave;        // "title|text" of every save-changes question
    QStringList asked;      // "title|text" of every question
    QStringList informed;   // "title|text"
    QStringList warned;     // "title|text"
    QString lastFolder;
    QString lastFilter;

    QString askSaveFileName(QWidget *, const QString &folder, const QString &filter,
                            QString *chosenFilter = nullptr) override
    {
        lastFolder = folder;
        lastFilter = filter;
        const QString chosen = chosenFilters.isEmpty() ? QString() : chosenFilters.dequeue();
        if (chosenFilter)
            *chosenFilter = chosen;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString askOpenFileName(QWidget *, const QString &folder, const QString &filter) override
    {
        lastFolder = folder;
        lastFilter = filter;
        return openNames.isEmpty() ? QString() : openNames.dequeue();
    }
    lamina::SaveChanges askSaveChanges(QWidget *, const QString &title, const QString &text) override
    {
        askedToSave << title + u'|' + text;
        return saveChanges.isEmpty() ? lamina::SaveChanges::cancel : saveChanges.dequeue();
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
