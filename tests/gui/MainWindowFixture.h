// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainWindowWiring.h"
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/frmMain.h"
#include "support/RecordingOpener.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QTableView>
#include <gtest/gtest.h>

// A temporary data folder, a manual clock starting at `start`, scripted message boxes and a recording
// opener: what every test of the main window needs around it.
class WindowTestEnv : public ::testing::Test
{
protected:
    explicit WindowTestEnv(const QDateTime& start)
        : m_clock(start)
    {
    }

    QString LastMessage() { return m_msg->shown.empty() ? QString() : m_msg->shown.back().text; }
    QString DataFile() const { return m_folder.file(QStringLiteral("twdata.xml")); }

    ProgramFolderGuard m_folder;
    ClockGuard m_clock;
    MsgBoxGuard m_msg;
    OpenerGuard m_opener;
};

// That environment with a main window, and helpers to fill and select its list.
class MainWindowFixture : public WindowTestEnv
{
protected:
    MainWindowFixture()
        : WindowTestEnv(QDateTime(QDate(2012, 6, 3), QTime(12, 0), Qt::UTC))
        , m_window(std::make_unique<frmMain>())
        , m_wiring(std::make_unique<MainWindowWiring>(*m_window))  // as the program joins it
        // Every insertion, removal, reset and change of the list is checked against the model rules; a
        // breach ends the test run at once.
        , m_modelTester(std::make_unique<QAbstractItemModelTester>(
              m_window->ListModel(), QAbstractItemModelTester::FailureReportingMode::Fatal))
    {
    }
    ~MainWindowFixture() override
    {
        m_modelTester.reset();
        m_wiring.reset();
        m_window.reset();
    }

    frmMain& W() { return *m_window; }
    TaskTableModel& M() { return *m_window->ListModel(); }
    QAction* Action(const char* name) { return m_window->findChild<QAction*>(QString::fromLatin1(name)); }

    // Adds a task due at the given moment (its alarm too) with the given texts.
    TaskPtr Add(const QString& desc, const QString& type = {}, TaskStatus status = tsNotStarted, Instant alarm = 0,
        const QString& dueDate = QStringLiteral("2012-06-10"), const QString& dueTime = QStringLiteral("10:00"))
    {
        auto t = std::make_shared<CTask>();
        t->SetDescription(desc);
        t->sType = type;
        t->sDueDate = dueDate;
        t->sDueTime = dueTime;
        t->dtDueDT = alarm ? alarm : MakeInstant(2012, 6, 10, 10, 0, 0);
        t->dtAlarmDT = t->dtDueDT;
        t->dtCreateDT = MakeInstant(2012, 6, 1, 8, 0, 0);
        t->dtStartDT = t->dtCreateDT;
        t->SetStatus(status);
        EXPECT_TRUE(W().Engine().AddTask(t));
        return t;
    }

    QStringList Column(int column)
    {
        QStringList list;
        for (int r = 0; r < M().rowCount(); ++r)
            list << M().Text(r, column);
        return list;
    }

    void Select(std::initializer_list<int> rows)
    {
        W().List()->clearSelection();
        for (int r : rows)
            W().List()->selectionModel()->select(
                M().index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void SelectTask(const TaskPtr& t) { Select({ M().RowOf(t->Key()) }); }

    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<MainWindowWiring> m_wiring;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
};
