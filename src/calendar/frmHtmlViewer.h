// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CheckPage.h"
#include "core/TaskList.h"
#include "timerules/Instant.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>

class IPageWindow;
class QDialog;
class QWidget;
class TaskEngine;

// What the calendar needs of the main window: the tasks, and the editor for a clicked day.
struct CalendarHost
{
    TaskEngine* engine = nullptr;
    QWidget* mainWindow = nullptr;  // a calendar owned by it browses; any other owner picks a date
    std::function<void(const TaskPtr& task, QWidget* owner)> showProperty;
    std::function<void(Instant day)> newTask;
};
void SetCalendarHost(CalendarHost host);
const CalendarHost& CurrentCalendarHost();

// Shows the perpetual calendar over `owner`: modeless from the main window (browse mode: a click opens the
// day's tasks, a double-click a new task), modal from anywhere else (picker mode: a click picks the day).
// Any calendar already open is closed first. False, after telling the user, when it cannot be shown.
bool ShowCalendar(bool modal, QWidget* owner);
// The day picked on a modal calendar over `owner`, 0 when the user closed it without picking.
Instant PickCalendarDate(QWidget* owner);
// The calendar shown now, if any (for tests).
class frmHtmlViewer* SharedCalendar();

// A page in the page host's window, and the program's side of the page's wb:// calls. One serves the
// calendar; each task whose event a page watches has its own.
class frmHtmlViewer : public QObject, public ICheckPage
{
    Q_OBJECT

public:
    enum class Mode { Browse, Picker, Check };

    // Makes the window through the page host module; IsLoaded() is false when the module is missing.
    frmHtmlViewer(QWidget* owner, Mode mode);
    ~frmHtmlViewer() override;

    Mode GetMode() const { return m_mode; }
    // The day last picked on the page (a click in a picker, a double-click in a browsing calendar); 0 when none.
    Instant PickedDay() const { return m_pickedDay; }
    QDialog* Dialog() const;
    IPageWindow* Window() const { return m_window; }

    // ICheckPage. A relative file name is read against the data folder.
    bool Init(const QString& pageFile) override;
    bool IsLoaded() const override;
    void SetDontCloseByUser(bool on) override;
    void Show(const QString& caption, bool visible) override;

    // One wb://method?args#callback call of the page.
    void HandleBridgeCall(const QString& url);

    // The bridge operations; each returns the answer's code and leaves `ret` invalid when there is no answer.
    int WEB_GetTasks(const QString& args, QVariant& ret);
    int WEB_IsHideTask(const QString& args, QVariant& ret);
    int WEB_OnClick(const QString& args, QVariant& ret);
    int WEB_OnDblClick(const QString& args, QVariant& ret);
    int WEB_OnUserEvent(const QString& args, QVariant& ret);

Q_SIGNALS:
    void OnUserEvent(const QString& args);

private:
    void Unload();

    QPointer<QWidget> m_owner;
    Mode m_mode;
    IPageWindow* m_window = nullptr;
    QPointer<QDialog> m_dialog;
    bool m_loaded = false;
    bool m_dontCloseByUser = false;
    QString m_lastClickDate;
    int m_clickIndex = 0;
    Instant m_pickedDay = 0;
    int m_inBridgeCall = 0;
};
