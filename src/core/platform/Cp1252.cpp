#include "Cp1252.h"

#include <array>

namespace {

// Unicode of the bytes 0x80 to 0x9F. Undefined bytes map to themselves.
constexpr std::array<char16_t, 32> kHaut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int octetDe(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHaut[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace Cp1252 {

namespace {

constexpr std::array<char16_t, 256> tableDesOctets()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[size_t(b)] = (b >= 0x80 && b < 0xA0) ? kHaut[size_t(b - 0x80)] : char16_t(b);
    return table;
}

constexpr std::array<char16_t, 256> kOctets = tableDesOctets();

} // namespace

void decodeDans(const char* data, qsizetype size, QChar* out)
{
    auto* dst = reinterpret_cast<char16_t*>(out);
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = kOctets[static_cast<unsigned char>(data[i])];
}

QString decode(const char* data, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    decodeDans(data, size, text.data());
    return text;
}

QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

bool encode(const QString& text, QByteArray* out, qsizetype* badIndex)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* dst = bytes.data();
    const QChar* src = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = octetDe(src[i].unicode());
        if (b < 0) {
            if (badIndex)
                *badIndex = i;
            return false;
        }
        dst[i] = static_cast<char>(b);
    }
    *out = bytes;
    return true;
}

bool estCodable(QChar c)
{
    return octetDe(c.unicode()) >= 0;
}

bool estCodable(const QString& text, qsizetype* badIndex)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!estCodable(text.at(i))) {
            if (badIndex)
                *badIndex = i;
            return false;
        }
    }
    return true;
}

QString toUpper(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        const char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z') {
            c = QChar(u - 32);
            continue;
        }
        if (u < 0x80)
            continue;
        const QString up = QString(c).toUpper();
        if (up.size() == 1 && estCodable(up.at(0)))
            c = up.at(0);
    }
    return result;
}

QString describe(const QString& text, qsizetype index)
{
    char32_t code = text.at(index).unicode();
    qsizetype length = 1;
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() &&
        text.at(index + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text.at(index), text.at(index + 1));
        length = 2;
    }
    const QString shown = QChar::isPrint(code) ? text.mid(index, length) : QString();
    return QStringLiteral("« %1 » (U+%2)")
        .arg(shown, QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace Cp1252
