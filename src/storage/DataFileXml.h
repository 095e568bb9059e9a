// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/TaskList.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>

#include <vector>

class QXmlStreamWriter;

// The document of the data file twdata.xml: the settings as attributes of the document element `tasks`, one
// `task` element per task. Read with QXmlStreamReader (no DTDs, so no entity expansion), written with
// QXmlStreamWriter, one element per line.
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
    // The whole document, indented. Empty when the writer failed.
    static QByteArray Serialize(const AppSettings& settings, const TaskList& tasks);

    static void SaveToXmlElem(const CTask& task, QXmlStreamWriter& writer);
    // Fills the task from one element's attributes and text; false when a required attribute is missing or a
    // value cannot be converted (the element is then not used).
    static bool LoadFromXmlElem(CTask& task, const QXmlStreamAttributes& attrs, const QString& text);
};

// The attribute's text, or `def` when the element has no such attribute (a null default makes the caller's
// conversion fail).
QString GetXmlAttr(const QXmlStreamAttributes& attrs, QLatin1StringView name, const QString& def = QString());
