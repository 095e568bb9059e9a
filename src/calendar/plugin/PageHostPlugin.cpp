// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/IPageWindow.h"
#include "calendar/plugin/PageWindow.h"

#include <QCoreApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

// Exported by QtGui (the engine's own start-up uses it) but declared only in its private headers.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();

namespace {

// The engine draws through OpenGL contexts shared with the application's. The program does not ask for that at
// start-up (it would load the GL drivers, tens of megabytes, into every run, page or not), so the shared
// context is made here, before the engine starts, as the application would have made it. Where there is no
// OpenGL (offscreen) nothing is made and the engine draws in software.
void ShareOpenGLContexts()
{
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(qApp);
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) {
        delete context;
        return;
    }
    qt_gl_set_global_share_context(context);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// wb: is a scheme the engine knows, so its links reach the navigation policy instead of being handed to the
// desktop as an unknown protocol. Anything that still asks for a wb: address (an image, a fetch) gets nothing.
class RefuseScheme : public QWebEngineUrlSchemeHandler
{
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::RequestDenied); }
};

}  // namespace

class PageHostPlugin : public QObject, public IPageHostModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IPageHostModule_iid)
    Q_INTERFACES(IPageHostModule)

public:
    IPageWindow* NewWindow(QWidget* parent, PageBridge bridge) override
    {
        return new PageWindow(Profile(), parent, std::move(bridge));
    }

private:
    QWebEngineProfile* Profile()
    {
        if (m_profile)
            return m_profile;
        ShareOpenGLContexts();
        // Before the engine starts: schemes can only be registered then. Path syntax, so the engine keeps the
        // text after "wb://" as the page wrote it.
        QWebEngineUrlScheme scheme("wb");
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        QWebEngineUrlScheme::registerScheme(scheme);

        // Off the record: nothing of the pages is written to disk.
        m_profile = new QWebEngineProfile(this);
        m_profile->installUrlSchemeHandler("wb", new RefuseScheme(m_profile));
        m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        QWebEngineSettings* s = m_profile->settings();
        // mailto:, irc: and the like would start another program.
        s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
        s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);

        // A local page learns that it runs in the program before any of its scripts runs; a remote one never.
        QWebEngineScript flag;
        flag.setName(QStringLiteral("WB_ENABLED"));
        flag.setInjectionPoint(QWebEngineScript::DocumentCreation);
        flag.setWorldId(QWebEngineScript::MainWorld);
        flag.setRunsOnSubFrames(false);
        flag.setSourceCode(QStringLiteral("if (location.protocol === 'file:') window.WB_ENABLED = true;"));
        m_profile->scripts()->insert(flag);
        return m_profile;
    }

    QWebEngineProfile* m_profile = nullptr;
};

#include "PageHostPlugin.moc"
