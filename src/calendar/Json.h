// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// Script text of a value, for answers a hosted page runs as a script call: not strict JSON. Dates become calls
// of the page's function D("yyyy-m-d hh:nn:ss"), and the quoting escapes the single quote and the braces too.
namespace Json {

// By the value's type: invalid → "" (a value never assigned), null → "null", QDate/QDateTime → D(...), text →
// QuoteJSON, bool → true/false, list → [...], map → {"key":value,...} in key order, other objects → "",
// numbers → their shortest round-trip form with a decimal point.
QString ToJSON(const QVariant& value);
// The text in double quotes; \b \t \n \f \r \" \' \\ escaped, { and } as \u007B and \u007D, everything else
// (other control characters, non-ASCII) as it is.
QString QuoteJSON(QStringView text);

}  // namespace Json
