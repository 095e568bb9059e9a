// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/PageHost.h"

#include "calendar/IPageWindow.h"
#include "platform/ModuleFolders.h"

#include <QCoreApplication>
#include <QPluginLoader>

namespace {

struct State
{
    QString overrideFile;
    QPluginLoader* loader = nullptr;  // kept for the run: the module is never unloaded
    IPageHostModule* module = nullptr;
    QString error;
};

State& S()
{
    static State state;
    return state;
}

QString ModuleFile()
{
    return S().overrideFile.isEmpty() ? ModuleFolders::Find(QStringLiteral("tickwell_pagehost")) : S().overrideFile;
}

}  // namespace

namespace PageHost {

bool Available()
{
    return S().module || !ModuleFile().isEmpty();
}

QString UnavailableText()
{
    // Named by the package that brings it (cmake/Packaging.cmake), which is what a user installs.
    return QCoreApplication::translate(
        "PageHost", "未安装网页组件（软件包 tickwell-webengine），万年历和网页检测不可用");
}

IPageHostModule* Module()
{
    State& s = S();
    if (s.module)
        return s.module;
    const QString file = ModuleFile();
    if (file.isEmpty()) {
        s.error = UnavailableText();
        return nullptr;
    }
    if (!s.loader)
        s.loader = new QPluginLoader(file);
    s.module = qobject_cast<IPageHostModule*>(s.loader->instance());
    if (!s.module)
        s.error = QCoreApplication::translate("PageHost", "无法加载网页组件：%1").arg(s.loader->errorString());
    return s.module;
}

QString LoadError()
{
    return S().error;
}

void SetModuleFile(const QString& path)
{
    S().overrideFile = path;
}

}  // namespace PageHost
