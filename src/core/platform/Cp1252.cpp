#include "Cp1252.h"

#include "Guillemets.h"

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

void decodeDans(const char* donnees, qsizetype taille, QChar* sortie)
{
    auto* dst = reinterpret_cast<char16_t*>(sortie);
    for (qsizetype i = 0; i < taille; ++i)
        dst[i] = kOctets[static_cast<unsigned char>(donnees[i])];
}

QString decode1252(const char* donnees, qsizetype taille)
{
    QString texte(taille, Qt::Uninitialized);
    decodeDans(donnees, taille, texte.data());
    return texte;
}

QString decode1252(const QByteArray& octets)
{
    return decode1252(octets.constData(), octets.size());
}

bool encode1252(const QString& texte, QByteArray* sortie, qsizetype* mauvaisIndex)
{
    QByteArray octets(texte.size(), Qt::Uninitialized);
    char* dst = octets.data();
    const QChar* src = texte.constData();
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const int b = octetDe(src[i].unicode());
        if (b < 0) {
            if (mauvaisIndex)
                *mauvaisIndex = i;
            return false;
        }
        dst[i] = static_cast<char>(b);
    }
    *sortie = octets;
    return true;
}

bool estCodable(QChar c)
{
    return octetDe(c.unicode()) >= 0;
}

bool estCodable(const QString& texte, qsizetype* mauvaisIndex)
{
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (!estCodable(texte.at(i))) {
            if (mauvaisIndex)
                *mauvaisIndex = i;
            return false;
        }
    }
    return true;
}

QString majusculesCp1252(const QString& texte)
{
    QString resultat = texte;
    for (QChar& c : resultat) {
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
    return resultat;
}

QString lettresDeBase(const QString& texte)
{
    QString resultat;
    resultat.reserve(texte.size());
    for (const QChar c : texte) {
        if (estCodable(c) || !c.isLetter()) {
            resultat += c;
            continue;
        }
        // Letters with a stroke or a bar have no decomposition.
        switch (c.unicode()) {
        case u'Ł':
            resultat += u'L';
            continue;
        case u'ł':
            resultat += u'l';
            continue;
        case u'Đ':
            resultat += u'D';
            continue;
        case u'đ':
            resultat += u'd';
            continue;
        case u'Ħ':
            resultat += u'H';
            continue;
        case u'ħ':
            resultat += u'h';
            continue;
        case u'ı':
            resultat += u'i';
            continue;
        default:
            break;
        }
        const QString decompose = QString(c).normalized(QString::NormalizationForm_D);
        const QChar base = decompose.at(0);
        resultat += decompose.size() > 1 && estCodable(base) ? base : c;
    }
    return resultat;
}

QString decrit(const QString& texte, qsizetype index)
{
    char32_t code = texte.at(index).unicode();
    qsizetype longueur = 1;
    if (texte.at(index).isHighSurrogate() && index + 1 < texte.size() &&
        texte.at(index + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(texte.at(index), texte.at(index + 1));
        longueur = 2;
    }
    const QString affichees = QChar::isPrint(code) ? texte.mid(index, longueur) : QString();
    return QStringLiteral("%1 (U+%2)")
        .arg(entreGuillemets(affichees),
             QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace Cp1252
