// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Resources.h"

#include "base/AppPaths.h"
#include "base/Common.h"
#include "base/MsgBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

struct InstallError
{
    int number;
    QString text;
};

std::vector<Resources::PackageRecord>& Records()
{
    static std::vector<Resources::PackageRecord> records = Resources::ShippedPackage();
    return records;
}

QHash<QString, QString>& Installed()
{
    static QHash<QString, QString> installed;
    return installed;
}

QString Folder(quint16 location)
{
    switch (location) {
    case Resources::LocDataFolder:
        return AppPaths::ProgramFolder();
    case Resources::LocTempFolder:
        // Not the shared /tmp: another user could leave a page there that the program would then show with
        // its bridge open.
        return AppPaths::PrivateTempFolder();
    case Resources::LocUserFolder:
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    default:
        throw InstallError { 5, QCoreApplication::translate("Resources", "程序初始化错误") };
    }
}

// Writes all of `data` to `path` through a temporary file, so a failed write never leaves half a file.
void WriteWhole(const QString& path, const QByteArray& data)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        throw InstallError { int(out.error()), out.errorString() };
}

}  // namespace

namespace Resources {

std::vector<PackageRecord> ShippedPackage()
{
    // The calendar page, built from resources/calendar and stored in GB2312. Its time is when the build made
    // it, so a page from an older build left on disk is replaced even when the size happens to match.
    const QString page = QStringLiteral(":/calendar/calendar.htm");
    const QFileInfo info(page);
    return { { QStringLiteral("calendar.htm"), quint32(info.size()), info.lastModified().toUTC(), LocTempFolder,
        FlagOnDemand, page } };
}

std::vector<PackageRecord>& Package()
{
    return Records();
}

void SetPackage(std::vector<PackageRecord> records)
{
    Records() = std::move(records);
    Installed().clear();
}

void InstallResources()
{
    for (size_t i = 0; i < Records().size(); ++i)
        if (!(Records()[i].flags & FlagOnDemand))
            InstallResFile(int(i));
}

bool InstallResFile(int index)
{
    if (index < 0 || size_t(index) >= Records().size())
        return false;
    const PackageRecord& rec = Records()[size_t(index)];
    try {
        QString folder = Folder(rec.location);
        if (folder.isEmpty())
            throw InstallError { 5, QCoreApplication::translate("Resources", "程序初始化错误") };
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        const QString path = folder + rec.name;

        const QFileInfo existing(path);
        const bool keep = existing.exists() && existing.size() == qint64(rec.size)
            && existing.lastModified().toUTC() >= rec.time.toUTC();
        if (!keep) {
            if (existing.exists() && !QFile::remove(path))
                throw InstallError { int(QFileDevice::RemoveError),
                    QCoreApplication::translate("Resources", "无法删除旧文件 %1").arg(path) };
            QFile source(rec.source);
            if (!source.open(QIODevice::ReadOnly))
                throw InstallError { int(source.error()), source.errorString() };
            const QByteArray data = source.read(rec.size);
            if (data.size() != qint64(rec.size))
                throw InstallError { int(QFileDevice::ReadError),
                    QCoreApplication::translate("Resources", "资源数据不完整") };
            QDir().mkpath(folder);
            WriteWhole(path, data);
        }
        Installed().insert(rec.name.toLower(), path);
        return true;
    } catch (const InstallError& e) {
        MsgBox::Show(QStringLiteral("RES ") + QString::number(index) + QStringLiteral(" Err(")
                + QString::number(e.number) + QStringLiteral("): ") + e.text,
            MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
}

QString GetResFile(const QString& name)
{
    const QString key = name.toLower();
    if (!Installed().contains(key)) {
        for (size_t i = 0; i < Records().size(); ++i) {
            if (Records()[i].name.compare(name, Qt::CaseInsensitive) == 0) {
                InstallResFile(int(i));
                break;
            }
        }
    }
    return Installed().value(key);
}

QStringList RingtoneNames()
{
    static const QStringList names = { QStringLiteral("晨曦"), QStringLiteral("溪流"), QStringLiteral("风铃"),
        QStringLiteral("星光"), QStringLiteral("远山"), QStringLiteral("归燕") };
    return names;
}

QString RingtoneFolder()
{
    return AppPaths::ProgramFolder() + QStringLiteral("/铃声");
}

QString ExtractRingtone(const QString& name)
{
    const QString folder = RingtoneFolder();
    if (!QDir().mkpath(folder))
        return {};
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".mid");
    if (QFileInfo::exists(path))
        return path;
    const qsizetype k = RingtoneNames().indexOf(name);
    if (k < 0)
        return {};
    QFile source(QStringLiteral(":/ringtones/R") + QString::number(k + 1) + QStringLiteral(".mid"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    try {
        WriteWhole(path, source.readAll());
    } catch (const InstallError&) {
        return {};
    }
    return QFileInfo::exists(path) ? path : QString();
}

QString ResolveRingFile(const QString& text)
{
    QString file = text.trimmed();
    if (file.isEmpty())
        return file;
    // Stored by the Windows version as "铃声\name.mid"; no file name here contains a backslash on purpose.
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    file = QDir::cleanPath(FromAppRelative(file));
    const QFileInfo info(file);
    if (!info.exists() && info.absolutePath() == QDir::cleanPath(RingtoneFolder())
        && info.suffix().compare(QStringLiteral("mid"), Qt::CaseInsensitive) == 0
        && RingtoneNames().contains(info.completeBaseName())) {
        const QString written = ExtractRingtone(info.completeBaseName());
        if (!written.isEmpty())
            return written;
    }
    return file;
}

}  // namespace Resources
