// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/DataFileScanner.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// What a byte is in markup: whitespace, a character of an ASCII name, the first of one.
enum : unsigned char { kSpaceByte = 1, kNameByte = 2, kNameStartByte = 4 };

struct MarkupBytes
{
    unsigned char bits[256];
    constexpr MarkupBytes()
        : bits()
    {
        for (const char c : { ' ', '\t', '\n', '\r' })
            bits[int(c)] = kSpaceByte;
        for (int c = 0; c < 128; ++c) {
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')
                bits[c] = kNameByte | kNameStartByte;
            else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
                bits[c] = kNameByte;
        }
    }
};
constexpr MarkupBytes kMarkup;

bool Is(char c, unsigned char bit)
{
    return (kMarkup.bits[static_cast<unsigned char>(c)] & bit) != 0;
}

bool IsSpace(char c)
{
    return Is(c, kSpaceByte);
}

// What XML 1.0 lets a document hold, as a character or through a reference.
bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// How a byte below 0x80 is read inside an attribute value or text.
enum ByteKind : unsigned char { kPlain, kSpace, kCr, kAmp, kLess, kGreater, kForbidden };

struct ByteKinds
{
    ByteKind kind[128];
    constexpr ByteKinds()
        : kind()
    {
        for (int c = 0; c < 128; ++c)
            kind[c] = c < 0x20 ? kForbidden : kPlain;
        kind[int('\t')] = kind[int('\n')] = kSpace;
        kind[int('\r')] = kCr;
        kind[int('&')] = kAmp;
        kind[int('<')] = kLess;
        kind[int('>')] = kGreater;
    }
};
constexpr ByteKinds kKinds;

// Whether the eight bytes at `p` are all plain in the table above: below 0x80, no control character, no '&',
// '<' or '>'.
bool IsPlainAscii8(const char* p)
{
    constexpr quint64 kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
    quint64 w;
    std::memcpy(&w, p, 8);
    const auto anyBelow = [&](quint64 x, unsigned char n) { return ((x - kOnes * n) & ~x & kHighs) != 0; };
    const auto anyZero = [&](quint64 x) { return anyBelow(x, 1); };
    return (w & kHighs) == 0 && !anyBelow(w, 0x20) && !anyZero(w ^ (kOnes * '&')) && !anyZero(w ^ (kOnes * '<'))
        && !anyZero(w ^ (kOnes * '>'));
}

// Reads one UTF-8 sequence from `p` (its first byte at or above 0x80) into `d`; false for a malformed or overlong
// sequence, an encoded surrogate, or a character XML forbids.
bool DecodeUtf8(const char*& p, const char* end, char16_t*& d)
{
    const auto byte = [](char c) { return static_cast<unsigned char>(c); };
    const auto cont = [&](qsizetype i) { return p + i < end && (byte(p[i]) & 0xC0) == 0x80; };
    const unsigned char c = byte(*p);
    char32_t cp = 0;
    if (c >= 0xC2 && c < 0xE0 && cont(1)) {
        cp = (char32_t(c & 0x1F) << 6) | (byte(p[1]) & 0x3F);
        p += 2;
    } else if (c >= 0xE0 && c < 0xF0 && cont(1) && cont(2)) {
        cp = (char32_t(c & 0x0F) << 12) | (char32_t(byte(p[1]) & 0x3F) << 6) | (byte(p[2]) & 0x3F);
        if (cp < 0x800 || !IsXmlChar(cp))  // overlong, a surrogate, U+FFFE or U+FFFF
            return false;
        p += 3;
    } else if (c >= 0xF0 && c < 0xF5 && cont(1) && cont(2) && cont(3)) {
        cp = (char32_t(c & 0x07) << 18) | (char32_t(byte(p[1]) & 0x3F) << 12) | (char32_t(byte(p[2]) & 0x3F) << 6)
            | (byte(p[3]) & 0x3F);
        if (cp < 0x10000 || cp > 0x10FFFF)
            return false;
        p += 4;
        *d++ = char16_t(0xD800 + ((cp - 0x10000) >> 10));
        *d++ = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        return true;
    } else {
        return false;
    }
    *d++ = char16_t(cp);
    return true;
}

// Reads the reference at `p` (its '&'): a predefined entity or a character reference. False for anything else,
// which in a document without a DTD is an error.
bool DecodeReference(const char*& p, const char* end, char16_t*& d)
{
    const char* semi = static_cast<const char*>(std::memchr(p, ';', size_t(std::min<qsizetype>(end - p, 12))));
    if (!semi)
        return false;
    const QLatin1StringView name(p + 1, semi - p - 1);
    char32_t cp = 0;
    if (name == QLatin1StringView("amp"))
        cp = '&';
    else if (name == QLatin1StringView("lt"))
        cp = '<';
    else if (name == QLatin1StringView("gt"))
        cp = '>';
    else if (name == QLatin1StringView("quot"))
        cp = '"';
    else if (name == QLatin1StringView("apos"))
        cp = '\'';
    else if (name.size() >= 2 && name[0] == QLatin1Char('#')) {
        const bool hex = name[1] == QLatin1Char('x');
        const QLatin1StringView digits = name.sliced(hex ? 2 : 1);
        if (digits.isEmpty() || digits.size() > 8)
            return false;
        for (const char c : digits) {
            int v = 0;
            if (c >= '0' && c <= '9')
                v = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                v = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                v = c - 'A' + 10;
            else
                return false;
            cp = cp * (hex ? 16 : 10) + char32_t(v);
        }
        if (!IsXmlChar(cp))
            return false;
        if (cp >= 0x10000) {
            *d++ = char16_t(0xD800 + ((cp - 0x10000) >> 10));
            *d++ = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
            p = semi + 1;
            return true;
        }
    } else {
        return false;
    }
    *d++ = char16_t(cp);
    p = semi + 1;
    return true;
}

// The characters of an attribute value or of text, [p, end), as XML reads them; false when they hold anything
// the scanner declines. Neither form is longer in UTF-16 units than in bytes.
bool Decode(const char* p, const char* end, bool attribute, QString& out)
{
    if (p == end) {
        out = QStringLiteral("");  // empty, not null: a present attribute
        return true;
    }
    // Values that are only converted (dates, numbers) leave their memory to the next element's, unless it is much
    // larger than needed: a task may keep the value.
    if (out.isDetached() && out.capacity() >= end - p && out.capacity() <= end - p + 64)
        out.resize(end - p);
    else
        out = QString(end - p, Qt::Uninitialized);
    char16_t* const first = reinterpret_cast<char16_t*>(out.data());
    char16_t* d = first;
    const char* const begin = p;
    while (p < end) {
        const char c = *p;
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (!DecodeUtf8(p, end, d))
                return false;
            continue;
        }
        switch (kKinds.kind[int(c)]) {
        case kPlain:
            *d++ = char16_t(c);
            ++p;
            // Dates, numbers and Latin text are runs of plain bytes: eight at a time.
            while (end - p >= 8 && IsPlainAscii8(p)) {
                for (int i = 0; i < 8; ++i)
                    d[i] = char16_t(p[i]);
                d += 8;
                p += 8;
            }
            break;
        case kSpace:
            // Attribute values have each whitespace character as a space; text keeps them.
            *d++ = attribute ? u' ' : char16_t(c);
            ++p;
            break;
        case kCr:
            // A line end, CR LF or a lone CR, is read as LF before anything else.
            *d++ = attribute ? u' ' : u'\n';
            p += (p + 1 < end && p[1] == '\n') ? 2 : 1;
            break;
        case kAmp:
            if (!DecodeReference(p, end, d))
                return false;
            break;
        case kGreater:
            // "]]>" may not appear in text.
            if (!attribute && p - begin >= 2 && p[-1] == ']' && p[-2] == ']')
                return false;
            *d++ = u'>';
            ++p;
            break;
        case kLess:
        case kForbidden:
            return false;
        }
    }
    if (d - first < out.size())
        out.truncate(d - first);  // keeps the allocation: no copy
    return true;
}

class Scanner
{
public:
    explicit Scanner(const QByteArray& xml)
        : m_p(xml.constData())
        , m_end(xml.constData() + xml.size())
    {
    }

    bool Read(DataFileXml::Contents& out)
    {
        if (At("<?xml") && !XmlDeclaration())
            return false;
        SkipSpace();
        XmlAttrs attrs;
        bool empty = false;
        if (!Take('<') || !Name("tasks") || !Attributes(attrs, empty))
            return false;
        DataFileXml::LoadSettings(attrs, out.settings);
        while (!empty) {
            // Between the tasks there may be whitespace only.
            SkipSpace();
            if (!Take('<'))
                return false;
            if (Take('/')) {
                if (!Name("tasks") || !EndOfEndTag())
                    return false;
                break;
            }
            bool childEmpty = false;
            QString text;
            if (!Name("task") || !Attributes(attrs, childEmpty))
                return false;
            if (!childEmpty) {
                const char* lt = static_cast<const char*>(std::memchr(m_p, '<', size_t(m_end - m_p)));
                if (!lt || (lt > m_p && !Decode(m_p, lt, false, text)))
                    return false;
                m_p = lt + 1;
                if (!Take('/') || !Name("task") || !EndOfEndTag())
                    return false;
            }
            auto task = std::make_shared<CTask>();
            if (DataFileXml::LoadFromXmlElem(*task, attrs, text))
                out.tasks.push_back(std::move(task));
            else
                ++out.skipped;
        }
        SkipSpace();
        return m_p == m_end;
    }

private:
    bool At(const char* literal) const
    {
        const size_t n = std::strlen(literal);
        return size_t(m_end - m_p) >= n && std::memcmp(m_p, literal, n) == 0;
    }

    bool Take(char c)
    {
        if (m_p == m_end || *m_p != c)
            return false;
        ++m_p;
        return true;
    }

    bool SkipSpace()
    {
        const char* from = m_p;
        while (m_p != m_end && IsSpace(*m_p))
            ++m_p;
        return m_p != from;
    }

    // An element name that is exactly `name`, and ends there.
    bool Name(const char* name)
    {
        if (!At(name))
            return false;
        const char* after = m_p + std::strlen(name);
        if (after == m_end || !(IsSpace(*after) || *after == '>' || *after == '/'))
            return false;
        m_p = after;
        return true;
    }

    bool ReservedName() const
    {
        return m_end - m_p >= 3 && (m_p[0] | 0x20) == 'x' && (m_p[1] | 0x20) == 'm' && (m_p[2] | 0x20) == 'l';
    }

    bool EndOfEndTag()
    {
        SkipSpace();
        return Take('>');
    }

    // `<?xml version="1.0" encoding="UTF-8"?>`, the encoding optional, either quote, any letter case for UTF-8.
    bool XmlDeclaration()
    {
        m_p += 5;
        QLatin1StringView value;
        if (!SkipSpace() || !Pseudo("version", value) || value != QLatin1StringView("1.0"))
            return false;
        const bool space = SkipSpace();
        if (space && At("encoding")) {
            if (!Pseudo("encoding", value) || value.compare(QLatin1StringView("UTF-8"), Qt::CaseInsensitive) != 0)
                return false;
            SkipSpace();
        }
        return Take('?') && Take('>');
    }

    bool Pseudo(const char* name, QLatin1StringView& value)
    {
        if (!At(name))
            return false;
        m_p += std::strlen(name);
        const char* begin = nullptr;
        const char* close = nullptr;
        if (!QuotedValue(begin, close))
            return false;
        value = QLatin1StringView(begin, close - begin);
        m_p = close + 1;
        return true;
    }

    // `= "value"` (either quote) after a name: the value's bytes, still to be decoded, from `begin` up to its
    // closing quote `close`; the scanner stands on the value.
    bool QuotedValue(const char*& begin, const char*& close)
    {
        SkipSpace();
        if (!Take('='))
            return false;
        SkipSpace();
        if (m_p == m_end || (*m_p != '"' && *m_p != '\''))
            return false;
        const char quote = *m_p++;
        begin = m_p;
        close = static_cast<const char*>(std::memchr(m_p, quote, size_t(m_end - m_p)));
        return close != nullptr;
    }

    // The attributes of a start tag up to its end; `empty` for "/>".
    bool Attributes(XmlAttrs& attrs, bool& empty)
    {
        attrs.Clear();
        for (;;) {
            const bool space = SkipSpace();
            if (m_p == m_end)
                return false;
            if (*m_p == '/' || *m_p == '>') {
                empty = Take('/');
                return Take('>');
            }
            // Names with a prefix or beyond ASCII, and those XML reserves (xmlns among them), go to the general
            // reader.
            if (!space || !Is(*m_p, kNameStartByte) || ReservedName())
                return false;
            const char* name = m_p;
            while (m_p != m_end && Is(*m_p, kNameByte))
                ++m_p;
            const QLatin1StringView attrName(name, m_p - name);
            const char* begin = nullptr;
            const char* close = nullptr;
            // So many attributes are no element of ours: the check for repeated names would grow with their square.
            if (!QuotedValue(begin, close) || attrs.Count() == XmlAttrs::kHashed || attrs.Contains(attrName)
                || !Decode(begin, close, true, attrs.Add(attrName)))
                return false;
            m_p = close + 1;
        }
    }

    const char* m_p;
    const char* const m_end;
};

}  // namespace

bool DataFileScanner::Read(const QByteArray& xml, DataFileXml::Contents& out)
{
    DataFileXml::Contents contents;
    if (!Scanner(xml).Read(contents))
        return false;
    out.settings = std::move(contents.settings);
    out.tasks.insert(out.tasks.end(), std::make_move_iterator(contents.tasks.begin()),
        std::make_move_iterator(contents.tasks.end()));
    out.skipped += contents.skipped;
    return true;
}
