#include "DisplayLine.h"

#include "Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/TextFile.h"

#include <algorithm>
#include <array>

namespace Affichage {

namespace {

constexpr int kNom = 10;
static_assert(Pieces[kNom].colonne == Nom_Moulin.colonne);

void ecritNumero(QChar* out, int numero)
{
    int n = numero;
    for (int i = Largeur_Numero - 1; i >= 0; --i) {
        if (n == 0 && i < Largeur_Numero - 1) {
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
    for (const Piece& p : Pieces) {
        const qsizetype debut = p.stockee.debut - 1;
        const qsizetype n = std::clamp<qsizetype>(taille - debut, 0, p.stockee.largeur);
        if (n > 0)
            Cp1252::decodeInto(logLine + debut, n, out + p.colonne - 1);
    }
    return ligne;
}

QString Texte_Lisible(const QString& affichage)
{
    struct Nomme {
        Piece piece;
        const char* avant; // said before the field
    };
    static constexpr Nomme kNommes[] = {
        {Indicatif, ""},
        {Departement, "département "},
        {Prenom, ""},
        {Reference, "moulin "},
        {Date, "le "},
        {Heure, "à "},
        {Mode, ""},
        {Bande, ""},
        {RST_Recu, "RST reçu "},
        {RST_Envoye, "RST envoyé "},
        {Nom_Moulin, ""},
    };
    QStringList morceaux;
    const QString numero = affichage.left(Largeur_Numero).trimmed();
    if (!numero.isEmpty())
        morceaux << QStringLiteral("QSO ") + numero;
    for (const Nomme& n : kNommes) {
        const QString champ = Champ(affichage, n.piece).trimmed();
        if (!champ.isEmpty())
            morceaux << QString::fromUtf8(n.avant) + champ;
    }
    if (Champ(affichage, QSL) == QStringLiteral("*"))
        morceaux << QStringLiteral("QSL reçue");
    return morceaux.join(QStringLiteral(", "));
}

QString Ligne_Affichage(int numero, const QString& logLine)
{
    QString ligne(Longueur, QLatin1Char(' '));
    QChar* out = ligne.data();
    ecritNumero(out, numero);
    for (const Piece& p : Pieces) {
        const QString texte = LogLine::champ(logLine, p.stockee);
        std::copy(texte.cbegin(), texte.cend(), out + p.colonne - 1);
    }
    return ligne;
}

Journal::Journal(QByteArray contenu) : m_contenu(std::move(contenu))
{
    auto lignes = std::make_shared<std::vector<Place>>();
    lignes->reserve(
        size_t(qMin<qsizetype>(m_contenu.size() / (LogLine::Longueur + 2) + 1, Numero_Maxi)));
    const char* debut = m_contenu.constData();
    TextFile::forEachLine(m_contenu, [&](const char* data, qsizetype taille) {
        ++m_total;
        if (m_total <= Numero_Maxi)
            lignes->push_back({data - debut, taille});
    });
    m_lignes = std::move(lignes);
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
    if (i < 0 || i >= size())
        return {};
    const Place& p = (*m_lignes)[size_t(i)];
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

QString Champ(const QString& affichage, Piece piece)
{
    return Texte::colonnes(affichage, piece.colonne, piece.largeur());
}

QString LogLine_Depuis_Affichage(const QString& affichage, bool nomEnMajuscules)
{
    QString ligne;
    ligne.reserve(LogLine::Longueur);
    for (int i = 0; i < int(Pieces.size()); ++i) {
        QString texte = Texte::complete(Champ(affichage, Pieces[i]), Pieces[i].largeur());
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
    auto t = [&](Piece p) { return Texte::sansBlancs(Champ(affichage, p)); };
    LogLine::Champs c;
    c.indicatif = t(Indicatif);
    c.departement = t(Departement);
    c.prenom = t(Prenom);
    c.reference = t(Reference);
    c.date = Champ(affichage, Date);
    c.heure = Champ(affichage, Heure);
    c.mode = t(Mode);
    c.bande = t(Bande);
    c.rstRecu = t(RST_Recu);
    c.rstEnvoye = t(RST_Envoye);
    c.nomMoulin = t(Nom_Moulin);
    c.qsl = Champ(affichage, QSL) == QLatin1String("*");
    return c;
}

} // namespace Affichage
