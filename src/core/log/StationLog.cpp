#include "StationLog.h"

#include "Affichage.h"
#include "IndexQso.h"
#include "LogLine.h"
#include "Sauvegardes.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

namespace {

QString entreGuillemets(const QString& nom)
{
    return QStringLiteral("« %1 »").arg(nom);
}

bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}

int deuxChiffres(const char* p)
{
    if (!chiffre(p[0]) || !chiffre(p[1]))
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

} // namespace

namespace {
const HorlogeSysteme kHorlogeSysteme;
}

StationLog::StationLog(const QString& dossier, const QString& indicatif, const Horloge* horloge)
    : m_dossier(dossier), m_indicatif(indicatif), m_horloge(horloge ? horloge : &kHorlogeSysteme)
{
}

bool StationLog::indicatifValide(const QString& indicatif)
{
    if (indicatif.isEmpty() || indicatif.size() > 12)
        return false;
    for (const QChar c : indicatif) {
        if (!((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
              (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_')))
            return false;
    }
    return true;
}

namespace {

Statut indicatifRefuse(const QString& indicatif)
{
    return Statut::enEchec(QStringLiteral("L'indicatif de station %1 n'est pas valide (lettres A à "
                                          "Z, chiffres et « _ », 12 caractères au plus) : aucun "
                                          "fichier n'est ouvert sous ce nom.")
                               .arg(entreGuillemets(indicatif)));
}

} // namespace

QString StationLog::chemin() const
{
    return QDir(m_dossier).filePath(nomFichier(m_indicatif));
}

Statut StationLog::Cree_Log(const QString& dossier, const QString& indicatif)
{
    if (!indicatifValide(indicatif))
        return indicatifRefuse(indicatif);
    const QString nom = nomFichier(indicatif);
    const QString cible = QDir(dossier).filePath(nom);
    if (QFile::exists(cible) || QFileInfo(cible).isSymLink())
        return Statut::enEchec(QStringLiteral("Le log %1 existe déjà : il est conservé tel quel.")
                                   .arg(entreGuillemets(nom)));

    QByteArray modele;
    const Statut lu = FichierTexte::litTout(QDir(dossier).filePath(nomModele), &modele);
    if (!lu) {
        return Statut::enEchec(QStringLiteral("Le log %1 n'a pas pu être créé : %2")
                                   .arg(entreGuillemets(nom), lu.message));
    }

    // Created only when no file of that name exists, even if one appeared
    // since the test above, and flushed to the disk with its folder entry.
    const Statut cree = FichierTexte::creeNouveau(cible, modele);
    if (!cree) {
        return Statut::enEchec(QStringLiteral("Le log %1 n'a pas pu être créé : %2")
                                   .arg(entreGuillemets(nom), cree.message));
    }
    return Statut::valide();
}

StationLog::Lignes StationLog::Charge_Log() const
{
    Lignes resultat;
    if (!indicatifValide(m_indicatif)) {
        resultat.statut = indicatifRefuse(m_indicatif);
        return resultat;
    }
    resultat.statut = Affichage::Journal::litFichier(chemin(), &resultat.affichage);
    if (!resultat.statut)
        return resultat;
    resultat.total = resultat.affichage.total();
    return resultat;
}

class StationLog::Ecriture {
public:
    // enPlus: the bytes the new lines will add, when known.
    explicit Ecriture(const Contenu& contenu, qsizetype enPlus = 256) : m_source(contenu.octets)
    {
        m_octets.reserve(contenu.octets.size() + enPlus);
    }
    // Lines of the log that already end with CR LF there, one after the
    // other, are copied together.
    void ajoute(QByteArrayView ligne)
    {
        const bool suiteCrLf = finitParCrLf(ligne);
        const char* fin = ligne.data() + ligne.size();
        if (suiteCrLf && ligne.data() == m_suiteFin) {
            m_suiteFin = fin + 2;
            return;
        }
        copieSuite();
        if (suiteCrLf) {
            m_suiteDebut = ligne.data();
            m_suiteFin = fin + 2;
            return;
        }
        m_octets.append(ligne);
        m_octets.append(FichierTexte::finLigne.data(), FichierTexte::finLigne.size());
    }
    const QByteArray& octets()
    {
        copieSuite();
        return m_octets;
    }

    // The lines with the new one before the first line that `avant` picks,
    // or at the end when it picks none.
    static QByteArray insere(const Contenu& contenu, QByteArrayView nouvelle,
                             const std::function<bool(QByteArrayView)>& avant)
    {
        Ecriture ecriture(contenu);
        bool ecrite = false;
        for (QByteArrayView l : contenu.lignes) {
            if (!ecrite && avant(l)) {
                ecriture.ajoute(nouvelle);
                ecrite = true;
            }
            ecriture.ajoute(l);
        }
        if (!ecrite)
            ecriture.ajoute(nouvelle);
        return ecriture.octets();
    }

private:
    // A line of the log whose CR LF follows it there.
    bool finitParCrLf(QByteArrayView ligne) const
    {
        const auto source = reinterpret_cast<quintptr>(m_source.constData());
        const auto debut = reinterpret_cast<quintptr>(ligne.data());
        if (debut < source ||
            debut + quintptr(ligne.size()) + 2 > source + quintptr(m_source.size()))
            return false;
        const char* fin = ligne.data() + ligne.size();
        return fin[0] == '\r' && fin[1] == '\n';
    }
    void copieSuite()
    {
        if (m_suiteDebut != m_suiteFin)
            m_octets.append(m_suiteDebut, m_suiteFin - m_suiteDebut);
        m_suiteDebut = m_suiteFin = nullptr;
    }

    const QByteArray& m_source;
    QByteArray m_octets;
    const char* m_suiteDebut = nullptr;
    const char* m_suiteFin = nullptr;
};

Statut StationLog::lit(Contenu* contenu) const
{
    if (!indicatifValide(m_indicatif))
        return indicatifRefuse(m_indicatif);
    const Statut statut = FichierTexte::litTout(chemin(), &contenu->octets);
    if (statut.code == Statut::Absent) {
        return Statut::enEchec(
            QStringLiteral("Le log %1 est introuvable : rien n'a été enregistré.")
                .arg(entreGuillemets(nomFichier(m_indicatif))));
    }
    if (!statut)
        return statut;
    contenu->lignes.reserve(size_t(contenu->octets.size() / (LogLine::Longueur + 2) + 1));
    FichierTexte::parcourtLignes(contenu->octets.constData(), contenu->octets.size(),
                                 [contenu](const char* donnees, qsizetype taille) {
                                     contenu->lignes.emplace_back(donnees, taille);
                                 });
    return statut;
}

Statut StationLog::ecrit(const Contenu& avant, const QByteArray& contenu,
                         const QString& travail) const
{
    // A failed copy is reported apart and never stops the change.
    Sauvegardes(m_dossier, *m_horloge).sauvegardeDuJour(m_indicatif, avant.octets);
    return FichierTexte::remplaceContenu(chemin(), QDir(m_dossier).filePath(travail), contenu,
                                         m_synchronisation);
}

Statut StationLog::prepare(const QString& nouvelle, QByteArray* octets) const
{
    if (nouvelle.size() != LogLine::Longueur) {
        return Statut::enEchec(
            QStringLiteral(
                "Ligne de log invalide (%1 caractères au lieu de %2) : rien n'a été enregistré.")
                .arg(nouvelle.size())
                .arg(LogLine::Longueur));
    }
    // A line end within the line would cut the QSO in two in the file.
    qsizetype mauvais = nouvelle.indexOf(QLatin1Char('\r'));
    const qsizetype lf = nouvelle.indexOf(QLatin1Char('\n'));
    if (mauvais < 0 || (lf >= 0 && lf < mauvais))
        mauvais = lf;
    if (mauvais >= 0 || !Cp1252::encode1252(nouvelle, octets, &mauvais)) {
        return Statut::enEchec(QStringLiteral("Le caractère %1 ne peut pas être enregistré dans le "
                                              "log : rien n'a été enregistré.")
                                   .arg(Cp1252::decrit(nouvelle, mauvais)));
    }
    return Statut::valide();
}

Statut StationLog::litOctets(QByteArray* octets) const
{
    Contenu contenu;
    const Statut statut = lit(&contenu);
    if (statut)
        *octets = std::move(contenu.octets);
    return statut;
}

StationLog::Lecture::Lecture(const StationLog& log) : verrou(log.m_dossier)
{
    statut = verrou ? log.lit(&contenu) : verrou.statut();
}

template <typename Nouveau>
Statut StationLog::reecrit(const QString& travail, Nouveau&& nouveau) const
{
    const Lecture lecture(*this);
    if (!lecture.statut)
        return lecture.statut;
    return ecrit(lecture.contenu, nouveau(lecture.contenu), travail);
}

Statut StationLog::Enregistre_QSO(const QString& nouvelle)
{
    QByteArray ligne;
    Statut statut = prepare(nouvelle, &ligne);
    if (!statut)
        return statut;
    const double cle = cleNumerique(ligne);
    return reecrit(fichierTravail, [&](const Contenu& contenu) {
        return Ecriture::insere(contenu, ligne,
                                [cle](QByteArrayView l) { return cle < cleNumerique(l); });
    });
}

Statut StationLog::Insere_QSO_Chrono(const QString& nouvelle)
{
    QByteArray ligne;
    Statut statut = prepare(nouvelle, &ligne);
    if (!statut)
        return statut;
    const qint64 moment = momentQso(ligne);
    if (moment < 0) {
        return Statut::enEchec(
            QStringLiteral("Le %1 à %2 n'est pas une date du calendrier : le QSO ne peut pas être "
                           "placé dans l'ordre chronologique. Rien n'a été enregistré.")
                .arg(LogLine::champ(nouvelle, LogLine::Date),
                     LogLine::champ(nouvelle, LogLine::Heure)));
    }
    // A line whose date cannot be read (a hand-edited file) has no place in
    // time: it is passed over, and the new QSO is placed among the others.
    return reecrit(fichierTravailChrono, [&](const Contenu& contenu) {
        return Ecriture::insere(contenu, ligne,
                                [moment](QByteArrayView l) { return momentQso(l) >= moment; });
    });
}

Statut StationLog::Remplace_QSO(const QString& nouvelle, const QString& ancienne)
{
    QByteArray ligne;
    Statut statut = prepare(nouvelle, &ligne);
    if (!statut)
        return statut;
    QByteArray vieille;
    const bool lisible = Cp1252::encode1252(ancienne, &vieille);
    return reecrit(fichierTravail, [&](const Contenu& contenu) {
        Ecriture ecriture(contenu);
        bool remplacee = false;
        for (QByteArrayView l : contenu.lignes) {
            if (lisible && memeLigne(l, vieille)) {
                ecriture.ajoute(ligne);
                remplacee = true;
            } else {
                ecriture.ajoute(l);
            }
        }
        if (!remplacee)
            ecriture.ajoute(ligne);
        return ecriture.octets();
    });
}

Statut StationLog::Supprime_QSO(const QString& ligne)
{
    QByteArray octets;
    const bool lisible = Cp1252::encode1252(ligne, &octets);
    return reecrit(fichierTravail, [&](const Contenu& contenu) {
        Ecriture ecriture(contenu);
        for (QByteArrayView l : contenu.lignes) {
            if (!lisible || !memeLigne(l, octets))
                ecriture.ajoute(l);
        }
        return ecriture.octets();
    });
}

QByteArray StationLog::cleQso(QByteArrayView ligne)
{
    return IndexQso::cleQso(ligne);
}

Statut StationLog::fusionneQso(const QStringList& nouvelles, Fusion* fusion)
{
    *fusion = Fusion();
    QByteArray lignes;
    lignes.reserve(nouvelles.size() * LogLine::Longueur);
    for (const QString& n : nouvelles) {
        QByteArray octets;
        const Statut statut = prepare(n, &octets);
        if (!statut)
            return statut;
        lignes.append(octets);
    }
    return fusionneLignes(lignes, fusion);
}

Statut StationLog::fusionneLignes(const QByteArray& nouvelles, Fusion* fusion)
{
    *fusion = Fusion();
    constexpr qsizetype longueur = LogLine::Longueur;
    if (nouvelles.size() % longueur != 0) {
        return Statut::enEchec(
            QStringLiteral("Lignes de log invalides (pas de %1 caractères chacune) : rien n'a été "
                           "enregistré.")
                .arg(longueur));
    }
    const qsizetype nombre = nouvelles.size() / longueur;
    const auto nouvelle = [&nouvelles](qsizetype i) {
        return QByteArrayView(nouvelles).sliced(i * longueur, longueur);
    };
    std::vector<qint64> moments(size_t(nombre), 0);
    for (qsizetype i = 0; i < nombre; ++i) {
        const QByteArrayView l = nouvelle(i);
        // A line end within a line would cut the QSO in two in the file.
        if (l.contains('\r') || l.contains('\n')) {
            return Statut::enEchec(
                QStringLiteral("Ligne de log coupée par un saut de ligne : rien n'a été "
                               "enregistré."));
        }
        moments[size_t(i)] = momentQso(l);
        if (moments[size_t(i)] < 0) {
            const QString texte = Cp1252::decode1252(l.data(), l.size());
            return Statut::enEchec(
                QStringLiteral("Le %1 à %2 n'est pas une date du calendrier : rien n'a été "
                               "enregistré.")
                    .arg(LogLine::champ(texte, LogLine::Date),
                         LogLine::champ(texte, LogLine::Heure)));
        }
    }

    const Lecture lecture(*this);
    if (!lecture.statut)
        return lecture.statut;
    const Contenu& contenu = lecture.contenu;

    // The lines of the log first, then the new ones: a new line of a QSO
    // met before it is left out.
    const qsizetype dansLeLog = qsizetype(contenu.lignes.size());
    IndexQso connus([&](qsizetype i) {
        return i < dansLeLog ? contenu.lignes[size_t(i)] : nouvelle(i - dansLeLog);
    });
    connus.reserve(dansLeLog + nombre);
    for (qsizetype i = 0; i < dansLeLog; ++i)
        connus.ajoute(i);
    std::vector<qsizetype> gardees;
    gardees.reserve(size_t(nombre));
    for (qsizetype i = 0; i < nombre; ++i) {
        if (!connus.ajoute(dansLeLog + i)) {
            fusion->doublons.push_back(i);
            continue;
        }
        gardees.push_back(i);
    }
    if (gardees.empty())
        return Statut::valide();
    std::stable_sort(gardees.begin(), gardees.end(), [&moments](qsizetype a, qsizetype b) {
        return moments[size_t(a)] < moments[size_t(b)];
    });

    // The day's copy would not hold today's earlier changes: this one holds
    // the log just before the import.
    const Statut copie = Sauvegardes(m_dossier, *m_horloge).sauvegardeMaintenant(m_indicatif);
    if (!copie)
        return Statut::enEchec(copie.message + QStringLiteral(" Rien n'a été importé."));

    Ecriture ecriture(contenu, qsizetype(gardees.size()) * (longueur + 2));
    size_t suivante = 0;
    for (QByteArrayView l : contenu.lignes) {
        // A line whose date cannot be read has no place in time: passed over.
        const qint64 moment = momentQso(l);
        while (moment >= 0 && suivante < gardees.size() &&
               moments[size_t(gardees[suivante])] <= moment)
            ecriture.ajoute(nouvelle(gardees[suivante++]));
        ecriture.ajoute(l);
    }
    while (suivante < gardees.size())
        ecriture.ajoute(nouvelle(gardees[suivante++]));
    const Statut ecrit = this->ecrit(contenu, ecriture.octets(), fichierTravailChrono);
    if (ecrit)
        fusion->ajoutees = qsizetype(gardees.size());
    return ecrit;
}

double StationLog::cleNumerique(QByteArrayView ligne)
{
    const QByteArrayView debut = ligne.first(qMin<qsizetype>(5, ligne.size()));
    const qsizetype n = debut.size();
    qsizetype i = 0;
    while (i < n && debut.at(i) == ' ')
        ++i;
    QByteArray nombre;
    if (i < n && (debut.at(i) == '+' || debut.at(i) == '-'))
        nombre += debut.at(i++);
    qsizetype chiffres = 0;
    while (i < n && chiffre(debut.at(i))) {
        nombre += debut.at(i++);
        ++chiffres;
    }
    if (i < n && debut.at(i) == '.') {
        nombre += '.';
        ++i;
        while (i < n && chiffre(debut.at(i))) {
            nombre += debut.at(i++);
            ++chiffres;
        }
    }
    if (chiffres == 0)
        return 0;
    if (i < n &&
        (debut.at(i) == 'E' || debut.at(i) == 'e' || debut.at(i) == 'D' || debut.at(i) == 'd')) {
        qsizetype j = i + 1;
        QByteArray exposant = "e";
        if (j < n && (debut.at(j) == '+' || debut.at(j) == '-'))
            exposant += debut.at(j++);
        const qsizetype premier = j;
        while (j < n && chiffre(debut.at(j)))
            exposant += debut.at(j++);
        if (j > premier)
            nombre += exposant;
    }
    bool valide = false;
    const double valeur = nombre.toDouble(&valide);
    return valide ? valeur : 0;
}

qint64 StationLog::momentQso(QByteArrayView ligne)
{
    const int d = LogLine::Date.debut - 1;
    const int h = LogLine::Heure.debut - 1;
    if (ligne.size() < h + LogLine::Heure.largeur)
        return -1;
    const char* p = ligne.data();
    if (p[d + 2] != '/' || p[d + 5] != '/' || p[h + 2] != ':')
        return -1;
    const int jour = deuxChiffres(p + d);
    const int mois = deuxChiffres(p + d + 3);
    const int an = deuxChiffres(p + d + 6);
    const int heure = deuxChiffres(p + h);
    const int minute = deuxChiffres(p + h + 3);
    if (jour < 0 || mois < 0 || an < 0 || heure < 0 || heure > 23 || minute < 0 || minute > 59)
        return -1;
    const QDate date(LogLine::annee(an), mois, jour);
    if (!date.isValid())
        return -1;
    return date.toJulianDay() * 1440 + heure * 60 + minute;
}

bool StationLog::memeLigne(QByteArrayView a, QByteArrayView b)
{
    qsizetype na = a.size();
    qsizetype nb = b.size();
    while (na > 0 && a.at(na - 1) == ' ')
        --na;
    while (nb > 0 && b.at(nb - 1) == ' ')
        --nb;
    return na == nb && std::memcmp(a.data(), b.data(), size_t(na)) == 0;
}
