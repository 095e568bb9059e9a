// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Line breaks. Descriptions and memos keep CR LF, as the Windows version stored them; text boxes, iCalendar and
// script files work with LF, and files edited by hand may hold either.
namespace Text {

// Each CR LF becomes LF; a lone CR stays.
QString CrLfToLf(QString text);
// Each LF becomes CR LF (a text box's text, which has no CR).
QString LfToCrLf(QString text);
// Each line break, CR LF or a lone LF, becomes CR LF.
QString NormalizeToCrLf(QString text);
// Each line break, CR LF or a lone CR, becomes LF.
QString NormalizeToLf(QString text);
// Each line break, CR LF or a lone LF or CR, becomes `separator`: the text keeps to one line.
QString OneLine(QString text, const QString& separator);
// The lines of a text broken by LF or CR LF; a text ending in a line break ends with an empty line.
QStringList SplitLines(const QString& text);

}  // namespace Text
