// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Base64.h"

#include <QByteArray>
#include <QStringDecoder>

QString Base64Encode(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QString Base64Decode(const QString& text, bool* ok)
{
    if (ok)
        *ok = false;
    // Characters outside Latin-1 turn into '?', which is no Base64 character either.
    auto result = QByteArray::fromBase64Encoding(text.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return {};
    const QByteArray& bytes = *result;

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder gb("GB18030");
        if (!gb.isValid())
            return {};
        decoded = gb(bytes);
        if (gb.hasError())
            return {};
    }
    if (ok)
        *ok = true;
    return decoded;
}
