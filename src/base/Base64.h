// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Base64 of RFC 4648 (standard alphabet, "=" padding, no line breaks), used for the stored unlock password.
// The text is encoded as its UTF-8 bytes. Decoding also accepts the GBK bytes that data files written on
// Chinese Windows hold: bytes that are not valid UTF-8 are read as GB18030, a superset of GBK.
QString Base64Encode(const QString& text);
// The empty text when `text` is not Base64; `ok` tells the two empty results apart.
QString Base64Decode(const QString& text, bool* ok = nullptr);
