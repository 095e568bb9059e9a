// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the data-file reader and to the legacy reader. Whatever the input, both must return
// (no crash, hang or sanitizer report), whatever the data-file reader accepts must survive a save (the written
// document reads back with the same tasks), and whatever its byte scanner reads, QXmlStreamReader must read
// the same.
#include "FuzzClock.h"
#include "base/TempFiles.h"
#include "core/AppSettings.h"
#include "storage/DataFileScanner.h"
#include "storage/DataFileXml.h"
#include "storage/LegacyImport.h"

#include <QXmlStreamWriter>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

const bool g_clock = (FuzzClock(), true);

// Everything a read yields: the settings and every task as the writer has them, the skipped count.
QByteArray Dump(const DataFileXml::Contents& c)
{
    QByteArray tasks;
    QXmlStreamWriter w(&tasks);
    for (const TaskPtr& t : c.tasks)
        DataFileXml::SaveToXmlElem(*t, w);
    return DataFileXml::Serialize(c.settings, TaskList()) + tasks + QByteArray::number(c.skipped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    DataFileXml::Contents scanned;
    if (DataFileScanner::Read(bytes, scanned)) {
        DataFileXml::Contents general;
        if (!DataFileXml::ParseWithStreamReader(bytes, general, nullptr) || Dump(scanned) != Dump(general))
            std::abort();
    }

    DataFileXml::Contents contents;
    if (DataFileXml::Parse(bytes, contents, nullptr)) {
        TaskList list;
        for (const TaskPtr& t : contents.tasks) {
            if (!list.AddTask(t)) {
                t->ID = 0;
                list.AddTask(t);
            }
        }
        const QByteArray xml = DataFileXml::Serialize(contents.settings, list);
        DataFileXml::Contents again;
        if (xml.isEmpty() || !DataFileXml::Parse(xml, again, nullptr) || int(again.tasks.size()) != list.Count()
            || again.skipped != 0 || again.settings.Types != contents.settings.Types)
            std::abort();
        for (int i = 0; i < list.Count(); ++i) {
            if (again.tasks[size_t(i)]->sDescription() != list.At(i)->sDescription()
                || again.tasks[size_t(i)]->sMemo != list.At(i)->sMemo)
                std::abort();
        }
    }

    LegacyReader reader(bytes);
    AppSettings settings;
    for (int records = 0; records < 1000 && !reader.AtEnd(); ++records) {
        CTask task;
        if (!reader.LoadFrom(task, settings))
            break;
    }
    // Custom-event descriptions with several command lines make scripts; do not leave them behind.
    DeleteTempFiles();
    return 0;
}
