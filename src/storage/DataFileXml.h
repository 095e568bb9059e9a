// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/TaskList.h"
#include "storage/XmlAttrs.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QXmlStreamWriter;

// The document of the data file twdata.xml: the settings as attributes of the document element `tasks`, one
// `task` element per task, written with QXmlStreamWriter, one element per line. Read by DataFileScanner when it
// is a document of that shape, otherwise with QXmlStreamReader (no DTDs, so no entity expansion).
class DataFileXml
{
public:
    // What one read of the document yields.
    struct Contents
    {
        AppSettings settings;
        std::vector<TaskPtr> tasks;  // in file order, numbered as stored (0 = to be numbered)
        int skipped = 0;  // task elements left out because a field could not be read
    };

    static bool Parse(const QByteArray& xml, Contents& out, QString* error);
    // The general reader behind Parse: any document, with QXmlStreamReader's errors.
    static bool ParseWithStreamReader(const QByteArray& xml, Contents& out, QString* error);
    // The whole document, indented. Empty when the writer failed.
    static QByteArray Serialize(const AppSettings& settings, const TaskList& tasks);

    static void SaveToXmlElem(const CTask& task, QXmlStreamWriter& writer);
    // Fills the task from one element's attributes and text; false when a required attribute is missing or a
    // value cannot be converted (the element is then not used).
    static bool LoadFromXmlElem(CTask& task, const XmlAttrs& attrs, const QString& text);
    // The settings from the attributes of the document element.
    static void LoadSettings(const XmlAttrs& attrs, AppSettings& settings);
};
