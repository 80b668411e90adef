#include "Affichage.h"

#include "Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Systeme.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <limits>

namespace Affichage {

namespace {

constexpr int kNom = 10;
static_assert(Pieces[kNom].colonne == Nom_Moulin.colonne);

void ecritNumero(QChar* sortie, int numero)
{
    int n = numero;
    for (int i = largeurNumero - 1; i >= 0; --i) {
        if (n == 0 && i < largeurNumero - 1) {
            sortie[i] = QLatin1Char(' ');
        } else {
            sortie[i] = QLatin1Char(char('0' + n % 10));
            n /= 10;
        }
    }
}

} // namespace

QString ligneAffichage(int numero, const char* ligneLog, qsizetype taille)
{
    QString ligne(Longueur, Qt::Uninitialized);
    QChar* sortie = ligne.data();
    std::fill_n(reinterpret_cast<char16_t*>(sortie), Longueur, u' ');
    ecritNumero(sortie, numero);
    for (const Piece& p : Pieces) {
        const qsizetype debut = p.stockee.debut - 1;
        const qsizetype n = std::clamp<qsizetype>(taille - debut, 0, p.stockee.largeur);
        if (n > 0)
            Cp1252::decodeDans(ligneLog + debut, n, sortie + p.colonne - 1);
    }
    return ligne;
}

QString texteLisible(const QString& affichage)
{
    struct nomme {
        Piece piece;
        const char* avant; // said before the field
    };
    static constexpr nomme kNommes[] = {
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
    const QString numero = affichage.left(largeurNumero).trimmed();
    if (!numero.isEmpty())
        morceaux << QStringLiteral("QSO ") + numero;
    for (const nomme& n : kNommes) {
        const QString champ = textePiece(affichage, n.piece).trimmed();
        if (!champ.isEmpty())
            morceaux << QString::fromUtf8(n.avant) + champ;
    }
    if (textePiece(affichage, QSL) == QStringLiteral("*"))
        morceaux << QStringLiteral("QSL reçue");
    return morceaux.join(QStringLiteral(", "));
}

QString ligneAffichage(int numero, const QString& ligneLog)
{
    QString ligne(Longueur, QLatin1Char(' '));
    QChar* sortie = ligne.data();
    ecritNumero(sortie, numero);
    for (const Piece& p : Pieces) {
        const QString texte = LogLine::champ(ligneLog, p.stockee);
        std::copy(texte.cbegin(), texte.cend(), sortie + p.colonne - 1);
    }
    return ligne;
}

// Where each line stands, and its bytes: the content held in memory, or
// the log file left open, from which the lines are read again.
struct Journal::Donnees {
    QByteArray contenu;
    std::unique_ptr<QFile> fichier;
    std::vector<qint64> debuts;
    std::vector<quint32> tailles;

    void ajoute(qint64 debut, qsizetype taille)
    {
        debuts.push_back(debut);
        tailles.push_back(quint32(qMin<qsizetype>(taille, std::numeric_limits<quint32>::max())));
    }
    // The bytes of a line that the display reads: its first LogLine::Longueur.
    qsizetype utile(qsizetype i) const
    {
        return qMin<qsizetype>(tailles[size_t(i)], LogLine::Longueur);
    }
    // Reads taille bytes from debut into tampon; fewer when the file has
    // become shorter, which shows as blanks.
    qsizetype lit(qint64 debut, qsizetype taille, char* tampon) const
    {
        if (!fichier->seek(debut))
            return 0;
        return qMax<qsizetype>(0, fichier->read(tampon, taille));
    }
    // Visits each line with its display bytes, reading the file by blocks.
    void parcourt(const std::function<void(qsizetype, const char*, qsizetype)>& visite) const
    {
        const qsizetype n = qsizetype(debuts.size());
        if (!fichier) {
            for (qsizetype i = 0; i < n; ++i)
                visite(i, contenu.constData() + debuts[size_t(i)], utile(i));
            return;
        }
        constexpr qsizetype kBloc = 256 * 1024;
        QByteArray bloc(kBloc, Qt::Uninitialized);
        qint64 blocDebut = 0;
        qsizetype blocTaille = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const qint64 debut = debuts[size_t(i)];
            const qsizetype taille = utile(i);
            if (debut + taille > blocDebut + blocTaille) {
                blocDebut = debut;
                blocTaille = lit(debut, kBloc, bloc.data());
            }
            visite(i, bloc.constData() + (debut - blocDebut),
                   qBound<qsizetype>(0, blocTaille - (debut - blocDebut), taille));
        }
    }
};

namespace {

qsizetype reserveLignes(qint64 octets)
{
    return qsizetype(qMin<qint64>(octets / (LogLine::Longueur + 2) + 1, numeroMaxi));
}

} // namespace

Journal::Journal(QByteArray contenu)
{
    auto donnees = std::make_shared<Donnees>();
    donnees->contenu = std::move(contenu);
    donnees->debuts.reserve(size_t(reserveLignes(donnees->contenu.size())));
    donnees->tailles.reserve(donnees->debuts.capacity());
    const char* debut = donnees->contenu.constData();
    FichierTexte::pourChaqueLigne(donnees->contenu, [&](const char* octets, qsizetype taille) {
        ++m_total;
        if (m_total <= numeroMaxi)
            donnees->ajoute(octets - debut, taille);
    });
    m_donnees = std::move(donnees);
}

Statut Journal::litFichier(const QString& chemin, Journal* journal)
{
    if (!Systeme::renommeSurFichierOuvert()) {
        // An open file cannot be renamed over there: the bytes are kept
        // instead.
        QByteArray contenu;
        const Statut lu = FichierTexte::litTout(chemin, &contenu);
        if (lu)
            *journal = Journal(std::move(contenu));
        return lu;
    }
    auto donnees = std::make_shared<Donnees>();
    donnees->fichier = std::make_unique<QFile>();
    QFile& fichier = *donnees->fichier;
    const Statut ouvert = FichierTexte::ouvreEnLecture(chemin, &fichier);
    if (!ouvert)
        return ouvert;
    donnees->debuts.reserve(size_t(reserveLignes(fichier.size())));
    donnees->tailles.reserve(donnees->debuts.capacity());

    qsizetype total = 0;
    Donnees& d = *donnees;
    const Statut lu = FichierTexte::pourChaqueBloc(
        fichier, chemin, [&](qint64 position, const char* bloc, qsizetype taille) {
            FichierTexte::parcourtLignes(bloc, taille, [&](const char* ligne, qsizetype n) {
                if (++total <= numeroMaxi)
                    d.ajoute(position + (ligne - bloc), n);
            });
        });
    if (!lu)
        return lu;
    Journal resultat;
    resultat.m_total = total;
    resultat.m_donnees = std::move(donnees);
    *journal = std::move(resultat);
    return Statut::valide();
}

Journal Journal::depuisLignesLog(const QStringList& lignes)
{
    QByteArray contenu;
    for (const QString& l : lignes) {
        QByteArray octets;
        Cp1252::encode1252(l, &octets);
        contenu += octets + FichierTexte::finLigne.data();
    }
    return Journal(contenu);
}

qsizetype Journal::size() const
{
    return m_donnees ? qsizetype(m_donnees->debuts.size()) : 0;
}

QString Journal::at(qsizetype i) const
{
    if (i < 0 || i >= size())
        return {};
    const Donnees& d = *m_donnees;
    const qint64 debut = d.debuts[size_t(i)];
    if (!d.fichier)
        return ligneAffichage(int(i + 1), d.contenu.constData() + debut, d.utile(i));
    char tampon[LogLine::Longueur];
    return ligneAffichage(int(i + 1), tampon, d.lit(debut, d.utile(i), tampon));
}

QStringList Journal::versListe() const
{
    QStringList lignes;
    lignes.reserve(size());
    if (m_donnees) {
        m_donnees->parcourt([&](qsizetype i, const char* donnees, qsizetype taille) {
            lignes.append(ligneAffichage(int(i + 1), donnees, taille));
        });
    }
    return lignes;
}

void Journal::parcourir(std::initializer_list<Piece> pieces,
                        const std::function<void(qsizetype, const QString&)>& visite) const
{
    if (!m_donnees)
        return;
    QString affichage(Longueur, QLatin1Char(' '));
    m_donnees->parcourt([&](qsizetype i, const char* donnees, qsizetype taille) {
        // A visitor that kept a copy of the last line keeps it as it was.
        QChar* sortie = affichage.data();
        ecritNumero(sortie, int(i + 1));
        for (const Piece& p : pieces) {
            QChar* cible = sortie + p.colonne - 1;
            std::fill_n(reinterpret_cast<char16_t*>(cible), p.largeur(), u' ');
            const qsizetype debut = p.stockee.debut - 1;
            const qsizetype n = std::clamp<qsizetype>(taille - debut, 0, p.stockee.largeur);
            if (n > 0)
                Cp1252::decodeDans(donnees + debut, n, cible);
        }
        visite(i, affichage);
    });
}

QString textePiece(const QString& affichage, Piece piece)
{
    return Texte::colonnes(affichage, piece.colonne, piece.largeur());
}

QString logLineDepuisAffichage(const QString& affichage, bool nomEnMajuscules)
{
    QString ligne;
    ligne.reserve(LogLine::Longueur);
    for (int i = 0; i < int(Pieces.size()); ++i) {
        QString texte =
            Texte::completeABlancs(textePiece(affichage, Pieces[i]), Pieces[i].largeur());
        if (i == kNom && nomEnMajuscules)
            texte = Cp1252::majusculesCp1252(texte);
        if (i > 0)
            ligne += QLatin1Char(' ');
        ligne += texte;
    }
    return ligne;
}

LogLine::Champs champsDepuisAffichage(const QString& affichage)
{
    auto t = [&](Piece p) { return Texte::sansBlancs(textePiece(affichage, p)); };
    LogLine::Champs c;
    c.indicatif = t(Indicatif);
    c.departement = t(Departement);
    c.prenom = t(Prenom);
    c.reference = t(Reference);
    c.date = textePiece(affichage, Date);
    c.heure = textePiece(affichage, Heure);
    c.mode = t(Mode);
    c.bande = t(Bande);
    c.rstRecu = t(RST_Recu);
    c.rstEnvoye = t(RST_Envoye);
    c.nomMoulin = t(Nom_Moulin);
    c.qsl = textePiece(affichage, QSL) == QLatin1String("*");
    return c;
}

} // namespace Affichage
