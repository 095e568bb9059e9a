// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FakeGuard.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

// Every test starts on a manual clock and a fresh temporary program folder; nothing touches $HOME.
class TwTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
};

// Installs a ManualClock for the life of the guard and restores the previous source afterwards.
class ClockGuard : public FakeGuard<ManualClock, IClockSource>
{
public:
    explicit ClockGuard(const QDateTime& start)
        : FakeGuard(start)
    {
    }
    ClockGuard(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0)
        : FakeGuard(Moment(y, m, d, hh, nn, ss))
    {
    }

    ManualClock& clock() { return **this; }
    void Set(const QDateTime& dt) { clock().Set(dt); }
    void Set(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0) { Set(Moment(y, m, d, hh, nn, ss)); }
    void Advance(qint64 seconds) { clock().AdvanceSeconds(seconds); }

private:
    static QDateTime Moment(int y, int m, int d, int hh, int nn, int ss)
    {
        return QDateTime(QDate(y, m, d), QTime(hh, nn, ss), Qt::UTC);
    }
};

// Records every message and input box and answers from a queue; an empty queue answers the safe way
// (No, Cancel, empty input).
class ScriptedPresenter : public IMessagePresenter
{
public:
    struct Shown
    {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString title;
    };

    MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override;
    QString Input(const QString& prompt, const QString& title, const QString& defaultText) override;

    std::deque<MsgResult> answers;
    std::deque<QString> inputs;
    std::vector<Shown> shown;
    QStringList prompts;
    QStringList inputDefaults;  // the default text offered with each prompt

    QString SaveFileName(
        const QString& title, const QString& filter, const QString& suggested, const QString& suffix) override;
    std::deque<QString> saveFiles;  // answers of the save-file dialog; empty = cancelled
    QStringList saveDialogs;  // "title|filter|suggested|suffix" of each dialog shown
    QString OpenFileName(const QString& title, const QString& filter) override;
    std::deque<QString> openFiles;  // answers of the open-file dialog; empty = cancelled
};

// Installs a ScriptedPresenter (a new one, or the one given) for the life of the guard.
using MsgBoxGuard = FakeGuard<ScriptedPresenter, IMessagePresenter>;

// A temporary folder that becomes the program folder and the temporary folder for the test's duration.
class ProgramFolderGuard
{
public:
    ProgramFolderGuard();
    ~ProgramFolderGuard();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
    QString m_previousTemp;
};
