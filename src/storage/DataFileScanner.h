// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/DataFileXml.h"

#include <QByteArray>

// The reader of the data file as the program writes it, one pass over the UTF-8 bytes at a fraction of what
// QXmlStreamReader costs (most of a large file's load): an optional XML declaration (version 1.0, UTF-8), the
// `tasks` element with its attributes, `task` elements holding attributes and text, whitespace between them.
// Inside that shape it reads what XML allows: either quote, the predefined entities and character references,
// attribute-value normalisation, CR LF and CR as LF in text. Anything else (another encoding, a byte order mark,
// a DTD, comments, processing instructions, CDATA, other elements, a character XML forbids, malformed or
// truncated markup) it declines without a word, and QXmlStreamReader reads the document: the same errors, the
// same skipped tasks, the same results.
class DataFileScanner
{
public:
    // True when the document was read whole: `out` then holds what QXmlStreamReader would have read. False when
    // the document is not of that shape; `out` is left as it was.
    static bool Read(const QByteArray& xml, DataFileXml::Contents& out);
};
