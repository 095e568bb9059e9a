// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/DataFile.h"

#include "base/RegularFile.h"
#include "timerules/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool DataFile::Write(const QByteArray& xml, const QString& path, QString* error)
{
    // The file holds the unlock password: a new one is for its owner's eyes only; an existing one keeps its mode.
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(xml) != xml.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    // commit() flushes the temporary file to disk before renaming it over the old one.
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

DataFile::ReadStatus DataFile::Read(const QString& path, DataFileXml::Contents& out, QString* error)
{
    QFile file;
    switch (OpenRegularFile(path, file, error)) {
    case RegularFileOpen::Opened:
        break;
    case RegularFileOpen::Missing:
        return ReadStatus::Missing;
    case RegularFileOpen::NotRegular:
        return ReadStatus::NotAFile;
    case RegularFileOpen::Failed:
        return ReadStatus::Unreadable;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return ReadStatus::Unreadable;
    }
    DataFileXml::Contents contents;
    if (!DataFileXml::Parse(data, contents, error))
        return ReadStatus::Unreadable;
    out = std::move(contents);
    return ReadStatus::Ok;
}

// -------------------------------------------------------------------------------------------------------------

QString DataFile::BrokenFileName(const QString& path)
{
    const QString base
        = path + QStringLiteral(".broken-") + Clock::CurrentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int i = 2; QFileInfo::exists(name); ++i)
        name = base + QLatin1Char('-') + QString::number(i);
    return name;
}

bool DataFile::MoveAside(const QString& path, QString* movedTo)
{
    const QString target = BrokenFileName(path);
    if (QFile::rename(path, target) || (QFile::copy(path, target) && QFile::remove(path))) {
        *movedTo = target;
        return true;
    }
    return false;
}

QString DataFile::KeepCopyOfSkipped(const QString& path)
{
    // The next save rewrites the file without the tasks that could not be read; a copy keeps them findable.
    const QString copy = BrokenFileName(path);
    return QFile::copy(path, copy) ? copy : QString();
}

DataFile::LoadOutcome DataFile::Load(const QString& path, bool readOnly)
{
    LoadOutcome out;
    out.status = Read(path, out.contents, &out.error);
    // Another program holds the folder: it keeps copies and moves files aside; this one only reads.
    if (readOnly)
        return out;
    if (out.status == ReadStatus::Ok && out.contents.skipped > 0)
        out.skippedCopy = KeepCopyOfSkipped(path);
    if (out.status == ReadStatus::Unreadable && !MoveAside(path, &out.movedTo))
        m_keepFile = path;
    return out;
}

DataFile::SaveOutcome DataFile::Save(const QString& path, const QByteArray& xml)
{
    // A pipe, a device or a folder in the file's place is someone's doing: it is left where it is.
    const QFileInfo target(path);
    bool ok = !target.exists() || target.isFile();
    if (ok && !m_keepFile.isEmpty()) {
        // The unreadable file is still where the data file goes: it may only be replaced once it is safe.
        QString movedTo;
        if (m_keepFile != path || !QFileInfo::exists(m_keepFile) || MoveAside(m_keepFile, &movedTo))
            m_keepFile.clear();
        else
            ok = false;
    }
    if (ok)
        ok = !xml.isEmpty() && Write(xml, path);
    if (ok) {
        m_saveFailing = false;
        return SaveOutcome::Saved;
    }
    // The scan saves every time a task fires: one warning per run of failures, not one per second.
    if (m_saveFailing)
        return SaveOutcome::FailedAgain;
    m_saveFailing = true;
    return SaveOutcome::Failed;
}
