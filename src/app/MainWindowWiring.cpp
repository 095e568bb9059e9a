// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindowWiring.h"

#include "calendar/PageHost.h"
#include "calendar/frmHtmlViewer.h"
#include "core/CheckPage.h"
#include "editor/CalendarPicker.h"
#include "editor/frmTask.h"
#include "engine/RunCmd.h"
#include "mainwindow/frmMain.h"
#include "power/dlgShutdown.h"

MainWindowWiring::MainWindowWiring(frmMain& window)
    : m_window(window)
{
    // Only a loaded window counts down: before its load and after its unload such commands are refused, so
    // nothing is switched off behind the back of a program that is starting or quitting.
    SetPowerCommandHandler([&window](const QString& command) {
        return window.IsLoaded() && !window.IsUnloaded() && window.ShutdownDialog()->ShowAsExec(command);
    });
    if (!PageHost::Available())
        return;
    // The calendar opens the editor for its days; the editor and its dialogs pick days on it.
    SetCalendarHost({ &window.Engine(), &window,
        [&window](const TaskPtr& task, QWidget* owner) { window.Editor()->ShowAsTaskProperty(task, owner); },
        [&window](Instant day) { window.Editor()->ShowAsNewTask(&window, day); } });
    SetCalendarPicker([](QWidget* owner) { return PickCalendarDate(owner); });
    CheckPages::SetFactory([](std::function<void(const QString&)> onUserEvent) -> std::unique_ptr<ICheckPage> {
        auto viewer = std::make_unique<frmHtmlViewer>(nullptr, frmHtmlViewer::Mode::Check);
        QObject::connect(viewer.get(), &frmHtmlViewer::OnUserEvent, viewer.get(), std::move(onUserEvent));
        return viewer;
    });
}

MainWindowWiring::~MainWindowWiring()
{
    if (CurrentCalendarHost().mainWindow == &m_window) {
        SetCalendarHost({});
        SetCalendarPicker(nullptr);
        CheckPages::SetFactory(nullptr);
    }
    SetPowerCommandHandler(nullptr);
}
