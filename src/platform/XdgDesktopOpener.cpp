// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgDesktopOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

std::shared_ptr<IDesktopOpener> MakeSystemDesktopOpener()
{
    return std::make_shared<XdgDesktopOpener>();
}

namespace {

std::shared_ptr<IDesktopOpener>& Current()
{
    static std::shared_ptr<IDesktopOpener> opener = MakeSystemDesktopOpener();
    return opener;
}

}  // namespace

namespace Platform {

std::shared_ptr<IDesktopOpener> DesktopOpener()
{
    return Current();
}

void SetDesktopOpener(std::shared_ptr<IDesktopOpener> opener)
{
    Current() = opener ? std::move(opener) : MakeSystemDesktopOpener();
}

}  // namespace Platform

namespace {

QString Unquote(const QString& text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

// "https://…", "mailto:…", "file:///…": a scheme of two letters or more, so a word with a colon later on
// ("a:b" has a one-letter scheme) is still taken for a file name.
bool IsAddress(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch() && QUrl(text).isValid();
}

bool StartDetached(const QString& program, const QStringList& arguments, const QString& startDir)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(startDir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}  // namespace

XdgDesktopOpener::XdgDesktopOpener(QString openerProgram)
    : m_openerProgram(std::move(openerProgram))
{
}

bool XdgDesktopOpener::Open(const QString& file, const QString& parameters, const QString& startDir, ShowState)
{
    // X programs choose their own windows, so a hidden start runs the program exactly as a normal one.
    const QString name = Unquote(file).trimmed();
    if (name.isEmpty() || !QFileInfo(startDir).isDir())
        return false;

    if (IsAddress(name))
        return StartDetached(m_openerProgram, { name }, startDir);

    // A bare word names a file in the start folder when there is one, a program on PATH otherwise.
    QString path;
    const QFileInfo local(QDir(startDir).absoluteFilePath(name));
    if (name.contains(QLatin1Char('/')) || local.exists())
        path = local.absoluteFilePath();
    else
        path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        return false;

    const QFileInfo target(path);
    if (!target.exists())
        return false;
    if (target.isFile() && target.isExecutable())
        return StartDetached(path, QProcess::splitCommand(parameters), startDir);
    // A document or a folder: its parameters have nobody to go to.
    return StartDetached(m_openerProgram, { path }, startDir);
}
