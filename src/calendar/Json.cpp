// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/Json.h"

#include "calendar/cStringBuilder.h"

#include <QDateTime>
#include <QLocale>

namespace Json {

QString QuoteJSON(QStringView text)
{
    cStringBuilder out;
    out.Append(u"\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\b':
            out.Append(u"\\b");
            break;
        case u'\t':
            out.Append(u"\\t");
            break;
        case u'\n':
            out.Append(u"\\n");
            break;
        case u'\f':
            out.Append(u"\\f");
            break;
        case u'\r':
            out.Append(u"\\r");
            break;
        case u'"':
            out.Append(u"\\\"");
            break;
        case u'\'':
            out.Append(u"\\'");
            break;
        case u'\\':
            out.Append(u"\\\\");
            break;
        case u'{':
            out.Append(u"\\u007B");
            break;
        case u'}':
            out.Append(u"\\u007D");
            break;
        default:
            out.Append(QStringView(&c, 1));
        }
    }
    out.Append(u"\"");
    return out.toString();
}

namespace {

QString DateCall(const QDateTime& dt)
{
    return QStringLiteral("D(\"") + dt.toString(QStringLiteral("yyyy-M-d hh:mm:ss")) + QStringLiteral("\")");
}

QString Number(const QVariant& value)
{
    QString text;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // The same shortest round-trip form QJsonDocument writes.
        text = QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    default:
        text = value.toString();
    }
    return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

}  // namespace

QString ToJSON(const QVariant& value)
{
    if (!value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Nullptr:
        return QStringLiteral("null");
    case QMetaType::QDate:
        return DateCall(value.toDate().startOfDay());
    case QMetaType::QDateTime:
        return DateCall(value.toDateTime());
    case QMetaType::QString:
        return QuoteJSON(value.toString());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        cStringBuilder out;
        out.Append(u"[");
        bool first = true;
        for (const QVariant& item : value.toList()) {
            if (!first)
                out.Append(u",");
            first = false;
            out.Append(ToJSON(item));
        }
        out.Append(u"]");
        return out.toString();
    }
    case QMetaType::QVariantMap: {
        cStringBuilder out;
        out.Append(u"{");
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (it != map.cbegin())
                out.Append(u",");
            out.Append(u"\"");
            out.Append(it.key());
            out.Append(u"\":");
            out.Append(ToJSON(it.value()));
        }
        out.Append(u"}");
        return out.toString();
    }
    case QMetaType::QObjectStar:
        return {};
    default:
        if (value.isNull() && value.typeId() == QMetaType::UnknownType)
            return QStringLiteral("null");
        return Number(value);
    }
}

}  // namespace Json
