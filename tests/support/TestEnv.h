// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/MsgBox.h"
#include "timerules/Clock.h"

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
class ClockGuard
{
public:
    explicit ClockGuard(const QDateTime& start);
    ClockGuard(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0);
    ~ClockGuard();

    ManualClock& clock() { return *m_clock; }
    void Set(const QDateTime& dt) { m_clock->Set(dt); }
    void Set(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0);
    void Advance(qint64 seconds) { m_clock->AdvanceSeconds(seconds); }

private:
    std::shared_ptr<ManualClock> m_clock;
    std::shared_ptr<IClockSource> m_previous;
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

// Installs a ScriptedPresenter (a new one, or the one given) for the life of the guard and restores the
// previous presenter afterwards.
class MsgBoxGuard
{
public:
    explicit MsgBoxGuard(std::shared_ptr<ScriptedPresenter> presenter = std::make_shared<ScriptedPresenter>());
    ~MsgBoxGuard();
    ScriptedPresenter& operator*() { return *m_presenter; }
    ScriptedPresenter* operator->() { return m_presenter.get(); }

private:
    std::shared_ptr<ScriptedPresenter> m_presenter;
    std::shared_ptr<IMessagePresenter> m_previous;
};

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
