#include "DisplayLine.h"

#include "Texte.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <array>

namespace Affichage {

namespace {

struct Piece {
    int affichage; // 1-based column in the display line
    LogLine::Colonne stockee;
};

// Display columns of the twelve stored fields; the blanks between them are
// the separators of the display line.
constexpr std::array<Piece, 12> kPieces = {{
    {8, LogLine::Indicatif},
    {22, LogLine::Departement},
    {27, LogLine::Prenom},
    {43, LogLine::Reference},
    {50, LogLine::Date},
    {60, LogLine::Heure},
    {67, LogLine::Mode},
    {72, LogLine::Bande},
    {81, LogLine::RST_Recu},
    {86, LogLine::RST_Envoye},
    {90, LogLine::Nom_Moulin},
    {122, LogLine::QSL},
}};

constexpr int kNom = 10;

QString piece(const QString& affichage, const Piece& p)
{
    return Texte::colonnes(affichage, p.affichage, p.stockee.largeur);
}

void ecritNumero(QChar* out, int numero)
{
    int n = numero;
    for (int i = 4; i >= 0; --i) {
        if (n == 0 && i < 4) {
            out[i] = QLatin1Char(' ');
        } else {
            out[i] = QLatin1Char(char('0' + n % 10));
            n /= 10;
        }
    }
}

} // namespace

QString Ligne_Affichage(int numero, const char* logLine, qsizetype taille)
{
    QString ligne(Longueur, Qt::Uninitialized);
    QChar* out = ligne.data();
    std::fill_n(reinterpret_cast<char16_t*>(out), Longueur, u' ');
    ecritNumero(out, numero);
    for (const Piece& p : kPieces) {
        const qsizetype debut = p.stockee.debut - 1;
        const qsizetype n = std::clamp<qsizetype>(taille - debut, 0, p.stockee.largeur);
        if (n > 0)
            Cp1252::decodeInto(logLine + debut, n, out + p.affichage - 1);
    }
    return ligne;
}

QString Ligne_Affichage(int numero, const QString& logLine)
{
    QString ligne(Longueur, QLatin1Char(' '));
    QChar* out = ligne.data();
    ecritNumero(out, numero);
    for (const Piece& p : kPieces) {
        const QString texte = LogLine::champ(logLine, p.stockee);
        std::copy(texte.cbegin(), texte.cend(), out + p.affichage - 1);
    }
    return ligne;
}

Journal::Journal(QByteArray contenu) : m_contenu(std::move(contenu))
{
    m_lignes.reserve(
        size_t(qMin<qsizetype>(m_contenu.size() / (LogLine::Longueur + 2) + 1, Numero_Maxi)));
    const char* debut = m_contenu.constData();
    TextFile::forEachLine(m_contenu, [&](const char* data, qsizetype taille) {
        ++m_total;
        if (m_total <= Numero_Maxi)
            m_lignes.push_back({data - debut, taille});
    });
}

Journal Journal::Depuis_Lignes_Log(const QStringList& lignes)
{
    QByteArray contenu;
    for (const QString& l : lignes) {
        QByteArray octets;
        Cp1252::encode(l, &octets);
        contenu += octets + "\r\n";
    }
    return Journal(contenu);
}

QString Journal::at(qsizetype i) const
{
    const Place& p = m_lignes.at(size_t(i));
    return Ligne_Affichage(int(i + 1), m_contenu.constData() + p.debut, p.taille);
}

QStringList Journal::toStringList() const
{
    QStringList lignes;
    lignes.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lignes.append(at(i));
    return lignes;
}

QString LogLine_Depuis_Affichage(const QString& affichage, bool nomEnMajuscules)
{
    QString ligne;
    ligne.reserve(LogLine::Longueur);
    for (int i = 0; i < int(kPieces.size()); ++i) {
        QString texte = Texte::complete(piece(affichage, kPieces[i]), kPieces[i].stockee.largeur);
        if (i == kNom && nomEnMajuscules)
            texte = Cp1252::toUpper(texte);
        if (i > 0)
            ligne += QLatin1Char(' ');
        ligne += texte;
    }
    return ligne;
}

LogLine::Champs Champs_Depuis_Affichage(const QString& affichage)
{
    auto t = [&](int i) { return Texte::sansBlancs(piece(affichage, kPieces[i])); };
    LogLine::Champs c;
    c.indicatif = t(0);
    c.departement = t(1);
    c.prenom = t(2);
    c.reference = t(3);
    c.date = piece(affichage, kPieces[4]);
    c.heure = piece(affichage, kPieces[5]);
    c.mode = t(6);
    c.bande = t(7);
    c.rstRecu = t(8);
    c.rstEnvoye = t(9);
    c.nomMoulin = t(10);
    c.qsl = piece(affichage, kPieces[11]) == QLatin1String("*");
    return c;
}

} // namespace Affichage
