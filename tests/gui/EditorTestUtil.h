// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/frmTask.h"
#include "support/FakeGuard.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `step` on the next modal dialog once its event loop runs, as a user would act on it. The dialog is
// closed afterwards if `step` left it open, so a test never hangs on it.
inline void WhenModal(std::function<void(QDialog*)> step)
{
    QTimer::singleShot(0, [step] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        step(dlg);
        if (dlg->isVisible())
            dlg->reject();
    });
}

template <class T> T* Child(const QObject* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

// The editor's open-file dialog replaced for one test.
using ChooserGuard = SlotGuard<&frmTask::CurrentFileChooser, &frmTask::SetFileChooser>;
