// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/plugin/PageWindow.h"

#include <QFileInfo>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

// The page of a PageWindow: its navigations go through the window's policy, its script errors and console
// messages go nowhere, and it opens no file chooser.
class PolicyPage : public QWebEnginePage
{
public:
    PolicyPage(QWebEngineProfile* profile, PageWindow* window)
        : QWebEnginePage(profile, window)
        , m_window(window)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        return m_window->AcceptNavigation(url, isMainFrame);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override { }
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override { return {}; }

private:
    PageWindow* m_window;
};

PageWindow::PageWindow(QWebEngineProfile* profile, QWidget* parent, PageBridge bridge)
    : QDialog(parent)
    , m_bridge(std::move(bridge))
{
    setObjectName(QStringLiteral("frmHtmlViewer"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(760, 600);
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    // No reload, back, "save page" or "view source" from a menu.
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_page = new PolicyPage(profile, this);
    m_view->setPage(m_page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

PageWindow::~PageWindow()
{
    // The view goes before the page it shows.
    delete m_view;
    delete m_page;
}

bool PageWindow::Navigate(const QString& localFile, bool locked)
{
    const QFileInfo info(localFile);
    if (localFile.isEmpty() || !info.isFile())
        return false;
    m_pageUrl = QUrl::fromLocalFile(info.absoluteFilePath());
    m_locked = locked;
    m_remoteFrame = false;
    // A check page may watch something on the web; the calendar has nothing to fetch.
    m_page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, !locked);
    m_page->load(m_pageUrl);
    return true;
}

void PageWindow::SetPageLanguage(const QString& language)
{
    const QString name = QStringLiteral("TW_LANG");
    for (const QWebEngineScript& old : m_page->scripts().find(name))
        m_page->scripts().remove(old);
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    // Only the two known names reach the page's script.
    script.setSourceCode(QStringLiteral("window.TW_LANG = \"%1\";")
                             .arg(language == QLatin1String("en") ? QStringLiteral("en") : QStringLiteral("zh")));
    m_page->scripts().insert(script);
}

void PageWindow::RunScript(const QString& script)
{
    m_page->runJavaScript(script);
}

bool PageWindow::BridgeAllowed() const
{
    return !m_remoteFrame && m_page->url().adjusted(QUrl::RemoveFragment) == m_pageUrl;
}

bool PageWindow::AcceptNavigation(const QUrl& url, bool isMainFrame)
{
    if (url.scheme() == QLatin1String("wb")) {
        if (BridgeAllowed() && m_bridge) {
            // Answered after this event has returned: an operation may open a window or a message box, which
            // must not run inside the engine's navigation callback.
            QPointer<PageWindow> self(this);
            const QString text = url.toString(QUrl::EncodeSpaces);
            QMetaObject::invokeMethod(
                this,
                [self, text] {
                    if (self && self->m_bridge)
                        self->m_bridge(text);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
    const bool isPage = url.adjusted(QUrl::RemoveFragment) == m_pageUrl;
    if (m_locked)
        return isPage;
    if (isMainFrame) {
        if (isPage)
            m_remoteFrame = false;
    } else if (!url.isLocalFile() && url.scheme() != QLatin1String("about") && url.scheme() != QLatin1String("data")) {
        m_remoteFrame = true;
    }
    return true;
}

void PageWindow::reject()
{
    // The close box and Escape.
    if (m_dontCloseByUser) {
        hide();
        return;
    }
    QDialog::reject();
}
