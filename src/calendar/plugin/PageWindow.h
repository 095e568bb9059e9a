// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/IPageWindow.h"

#include <QDialog>
#include <QUrl>

class QWebEngineProfile;
class QWebEngineView;
class PolicyPage;

// A dialog filled by a web view that shows one local page. What the page may do is decided here: a wb: link
// becomes a bridge call when the page that follows it is the local page this window was given, and is
// cancelled in every case; a locked page stays on its document; no page opens windows, files or other
// programs.
class PageWindow : public QDialog, public IPageWindow
{
    Q_OBJECT

public:
    PageWindow(QWebEngineProfile* profile, QWidget* parent, PageBridge bridge);
    ~PageWindow() override;

    QDialog* Dialog() override { return this; }
    bool Navigate(const QString& localFile, bool locked) override;
    void RunScript(const QString& script) override;
    void SetDontCloseByUser(bool on) override { m_dontCloseByUser = on; }
    void SetPageLanguage(const QString& language) override;

    // The navigation policy, asked by the page for every navigation of its main frame and its frames.
    bool AcceptNavigation(const QUrl& url, bool isMainFrame);

protected:
    void reject() override;

private:
    bool BridgeAllowed() const;

    QWebEngineView* m_view = nullptr;
    PolicyPage* m_page = nullptr;
    PageBridge m_bridge;
    QUrl m_pageUrl;  // the local page this window shows
    bool m_locked = false;
    bool m_remoteFrame = false;  // a frame of the page left the local files: no bridge for this document
    bool m_dontCloseByUser = false;
};
