// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/frmHtmlViewer.h"

#include "base/AppPaths.h"
#include "base/MsgBox.h"
#include "base/Resources.h"
#include "base/Translation.h"
#include "calendar/IPageWindow.h"
#include "calendar/Json.h"
#include "calendar/PageHost.h"
#include "engine/TaskEngine.h"
#include "timerules/TimeExpr.h"

#include <QDialog>
#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>

namespace {

CalendarHost& Host()
{
    static CalendarHost host;
    return host;
}

QPointer<frmHtmlViewer>& Shared()
{
    static QPointer<frmHtmlViewer> shared;
    return shared;
}

// The engine gives the method in lower case (it is the host part of the address); the answer names it as the
// calendar page writes it, so the page finds its handler.
QString PageSpelling(const QString& method)
{
    static const QString known[] = { QStringLiteral("gettasks"), QStringLiteral("isHideTask"),
        QStringLiteral("onclick"), QStringLiteral("ondblclick"), QStringLiteral("OnUserEvent") };
    for (const QString& name : known)
        if (name.compare(method, Qt::CaseInsensitive) == 0)
            return name;
    return method;
}

}  // namespace

void SetCalendarHost(CalendarHost host)
{
    Host() = std::move(host);
}

const CalendarHost& CurrentCalendarHost()
{
    return Host();
}

frmHtmlViewer* SharedCalendar()
{
    return Shared().data();
}

frmHtmlViewer::frmHtmlViewer(QWidget* owner, Mode mode)
    : m_owner(owner)
    , m_mode(mode)
{
    IPageHostModule* module = PageHost::Module();
    if (!module)
        return;
    QPointer<frmHtmlViewer> self(this);
    // A check window stands on its own; the calendar stays above its owner.
    m_window = module->NewWindow(mode == Mode::Check ? nullptr : owner, [self](const QString& url) {
        if (self)
            self->HandleBridgeCall(url);
    });
    m_dialog = m_window->Dialog();
    // The calendar's own words follow the program's language; its lunar names and festivals stay Chinese.
    m_window->SetPageLanguage(Translation::Current());
    m_dialog->setWindowTitle(tr("万年历"));
    m_loaded = true;
    connect(m_dialog, &QDialog::finished, this, [this] {
        // Closed, not only hidden: the owner gets the focus back.
        m_loaded = false;
        if (m_owner && m_owner->isVisible())
            m_owner->activateWindow();
    });
}

frmHtmlViewer::~frmHtmlViewer()
{
    Unload();
}

void frmHtmlViewer::Unload()
{
    m_loaded = false;
    if (m_dialog) {
        m_dialog->hide();
        // Inside one of the page's own calls the window must outlive the call.
        if (m_inBridgeCall > 0)
            m_dialog->deleteLater();
        else
            delete m_dialog.data();
    }
    m_window = nullptr;
}

QDialog* frmHtmlViewer::Dialog() const
{
    return m_dialog.data();
}

bool frmHtmlViewer::Init(const QString& pageFile)
{
    if (!m_window || !m_dialog || pageFile.isEmpty())
        return false;
    const QString file = QDir(AppPaths::DataFolder()).absoluteFilePath(pageFile);
    return m_window->Navigate(file, m_mode != Mode::Check);
}

bool frmHtmlViewer::IsLoaded() const
{
    return m_loaded && m_dialog;
}

void frmHtmlViewer::SetDontCloseByUser(bool on)
{
    m_dontCloseByUser = on;
    if (m_window && m_dialog)
        m_window->SetDontCloseByUser(on);
}

void frmHtmlViewer::Show(const QString& caption, bool visible)
{
    if (!m_dialog)
        return;
    m_dialog->setWindowTitle(caption);
    m_dialog->setVisible(visible);
    if (visible) {
        m_dialog->raise();
        m_dialog->activateWindow();
    }
}

void frmHtmlViewer::HandleBridgeCall(const QString& url)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(wb://(\w+)/?(\?(.*?))?(#(\w+))?$)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(url);
    if (!m.hasMatch())
        return;
    const QString method = m.captured(1);
    const QString args = m.captured(3).replace(QStringLiteral("%20"), QStringLiteral(" "));
    QString callback = m.captured(5);

    ++m_inBridgeCall;
    const auto done = qScopeGuard([this] { --m_inBridgeCall; });
    QVariant result;
    int code = 0;
    const QString name = method.toLower();
    if (name == QLatin1String("gettasks"))
        code = WEB_GetTasks(args, result);
    else if (name == QLatin1String("ishidetask"))
        code = WEB_IsHideTask(args, result);
    else if (name == QLatin1String("onclick"))
        code = WEB_OnClick(args, result);
    else if (name == QLatin1String("ondblclick"))
        code = WEB_OnDblClick(args, result);
    else if (name == QLatin1String("onuserevent"))
        code = WEB_OnUserEvent(args, result);
    else
        result = QString(QStringLiteral("Unknown method: ") + method);

    const QString data = Json::ToJSON(result);
    // The operation may have closed the window.
    if (data.isEmpty() || !m_window || !m_dialog)
        return;
    if (callback.isEmpty())
        callback = QStringLiteral("WB_DEFCB");
    m_window->RunScript(callback + QStringLiteral("(\"") + PageSpelling(method) + QStringLiteral("\", [")
        + QString::number(code) + QStringLiteral(", ") + data + QStringLiteral("])"));
}

int frmHtmlViewer::WEB_GetTasks(const QString&, QVariant& ret)
{
    QVariantList list;
    if (const TaskEngine* engine = Host().engine) {
        const TaskList& tasks = engine->Tasks();
        for (int i = 0; i < tasks.Count(); ++i) {
            const CTask& t = *tasks.At(i);
            if (!t.IsWaiting())
                continue;
            const bool repeats
                = t.sDueDate.contains(QStringLiteral("每月")) || t.sDueDate.contains(QStringLiteral("每年"));
            list.append(
                QVariant(QVariantList { t.Key(), repeats ? t.sDueDate : FormatDateText(t.dtDueDT), t.Title() }));
        }
    }
    ret = list;
    return 0;
}

int frmHtmlViewer::WEB_IsHideTask(const QString&, QVariant& ret)
{
    ret = bool(m_owner && m_owner->inherits("frmTask"));
    return 0;
}

int frmHtmlViewer::WEB_OnClick(const QString& args, QVariant&)
{
    const qsizetype space = args.indexOf(QLatin1Char(' '));
    const QString date = space < 0 ? args : args.left(space);
    const QStringList keys
        = space < 0 ? QStringList() : args.mid(space + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (m_mode == Mode::Browse) {
        if (date == m_lastClickDate && keys.size() > 1)
            m_clickIndex = (m_clickIndex + 1) % int(keys.size());
        else
            m_clickIndex = 0;
        m_lastClickDate = date;
        if (keys.isEmpty() || !Host().engine)
            return 0;
        if (const TaskPtr task = Host().engine->GetTask(keys.at(m_clickIndex).trimmed()); task && Host().showProperty)
            Host().showProperty(task, m_dialog);
    } else if (m_mode == Mode::Picker) {
        m_pickedDay = TextToDate(date);
        if (m_dialog)
            m_dialog->done(QDialog::Accepted);
    }
    return 0;
}

int frmHtmlViewer::WEB_OnDblClick(const QString& args, QVariant&)
{
    if (m_mode != Mode::Browse)
        return 0;
    const qsizetype space = args.indexOf(QLatin1Char(' '));
    const Instant day = TextToDate(space < 0 ? args : args.left(space));
    m_pickedDay = day;
    if (m_dialog)
        m_dialog->done(QDialog::Accepted);
    if (Host().newTask)
        Host().newTask(day);
    return 0;
}

int frmHtmlViewer::WEB_OnUserEvent(const QString& args, QVariant&)
{
    Q_EMIT OnUserEvent(args);
    return 0;
}

bool ShowCalendar(bool modal, QWidget* owner)
{
    if (frmHtmlViewer* open = Shared().data();
        open && open->Dialog() && open->Dialog()->isModal() && open->Dialog()->isVisible()) {
        // A day is being picked: that calendar stays until it is answered.
        open->Dialog()->raise();
        open->Dialog()->activateWindow();
        return false;
    }
    delete Shared().data();
    const QString file = Resources::GetResFile(QStringLiteral("Calendar.htm"));
    if (file.isEmpty()) {
        MsgBox::Show(frmHtmlViewer::tr("找不到万年历页面。"), MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    const frmHtmlViewer::Mode mode
        = owner && owner == Host().mainWindow ? frmHtmlViewer::Mode::Browse : frmHtmlViewer::Mode::Picker;
    auto* viewer = new frmHtmlViewer(owner, mode);
    viewer->setParent(owner);
    Shared() = viewer;
    if (!viewer->IsLoaded()) {
        MsgBox::Show(PageHost::LoadError(), MsgButtons::Ok, MsgIcon::Warning);
        delete viewer;
        return false;
    }
    viewer->Init(file);
    QDialog* dialog = viewer->Dialog();
    dialog->setWindowTitle(frmHtmlViewer::tr("万年历"));
    if (modal) {
        dialog->exec();
    } else {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
    return true;
}

Instant PickCalendarDate(QWidget* owner)
{
    if (!ShowCalendar(true, owner))
        return 0;
    // The calendar outlives its window: a later ShowCalendar replaces it.
    const frmHtmlViewer* picker = Shared().data();
    return picker ? picker->PickedDay() : 0;
}
