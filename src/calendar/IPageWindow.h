// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>

class QDialog;
class QWidget;

// The window of the page host: a web view in a dialog. It lives in the module tickwell_pagehost, loaded on
// first use so that a run that never shows a page never loads the web engine; the program reaches it only
// through these two interfaces.
class IPageWindow
{
public:
    virtual ~IPageWindow() = default;
    // The dialog itself; deleting it deletes this window.
    virtual QDialog* Dialog() = 0;
    // Shows a local page file (never anything else). `locked`: the page may not navigate to another document.
    // False, with nothing loaded, when the file does not exist.
    virtual bool Navigate(const QString& localFile, bool locked) = 0;
    // Runs a script in the page's main frame.
    virtual void RunScript(const QString& script) = 0;
    // Closing by the user only hides the window.
    virtual void SetDontCloseByUser(bool on) = 0;
    // The language the pages shown next speak ("zh", "en"): window.TW_LANG, set before their scripts run.
    virtual void SetPageLanguage(const QString& language) = 0;
};

// Called for every wb: link the local page follows, with the address as the page wrote it (spaces as "%20");
// the navigation itself is always cancelled. Calls arrive after the navigation event has returned, in order.
using PageBridge = std::function<void(const QString& url)>;

class IPageHostModule
{
public:
    virtual ~IPageHostModule() = default;
    virtual IPageWindow* NewWindow(QWidget* parent, PageBridge bridge) = 0;
};

#define IPageHostModule_iid "org.tickwell.PageHostModule/2"
Q_DECLARE_INTERFACE(IPageHostModule, IPageHostModule_iid)
