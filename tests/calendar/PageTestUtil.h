// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/frmHtmlViewer.h"
#include "core/CTask.h"
#include "engine/TaskEngine.h"

#include <QDialog>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

inline QWebEnginePage* PageOf(frmHtmlViewer& viewer)
{
    auto* view = viewer.Dialog()->findChild<QWebEngineView*>();
    return view ? view->page() : nullptr;
}

// The value of a script in the page, as JSON text ("" when the page did not answer in time).
inline QString Eval(frmHtmlViewer& viewer, const QString& script)
{
    QString result;
    bool done = false;
    PageOf(viewer)->runJavaScript(
        QStringLiteral("JSON.stringify(") + script + QLatin1Char(')'), [&](const QVariant& v) {
            result = v.toString();
            done = true;
        });
    (void)QTest::qWaitFor([&] { return done; }, 10000);
    return result;
}

inline bool WaitForPage(frmHtmlViewer& viewer)
{
    return QTest::qWaitFor(
        [&] { return Eval(viewer, QStringLiteral("Array.isArray(window.answers)")) == u"true"; }, 20000);
}

inline TaskPtr AddTask(
    TaskEngine& engine, int id, const QString& desc, const QString& dueDate, Instant due, TaskStatus status)
{
    auto t = std::make_shared<CTask>();
    t->ID = id;
    t->SetDescription(desc);
    t->sDueDate = dueDate;
    t->dtDueDT = due;
    t->SetStatus(status);
    engine.AddTask(t);
    return t;
}

}  // namespace
