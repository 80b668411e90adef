#include "StationLog.h"

#include "Affichage.h"
#include "EcritureLog.h"
#include "IndexQso.h"
#include "LogLine.h"
#include "Sauvegardes.h"
#include "Texte.h"
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
                               .arg(Texte::entreGuillemets(indicatif)));
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
                                   .arg(Texte::entreGuillemets(nom)));

    QByteArray modele;
    const Statut lu = FichierTexte::litTout(QDir(dossier).filePath(nomModele), &modele);
    if (!lu) {
        return Statut::enEchec(QStringLiteral("Le log %1 n'a pas pu être créé : %2")
                                   .arg(Texte::entreGuillemets(nom), lu.message));
    }

    // Created only when no file of that name exists, even if one appeared
    // since the test above, and flushed to the disk with its folder entry.
    const Statut cree = FichierTexte::creeNouveau(cible, modele);
    if (!cree) {
        return Statut::enEchec(QStringLiteral("Le log %1 n'a pas pu être créé : %2")
                                   .arg(Texte::entreGuillemets(nom), cree.message));
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

Statut StationLog::lit(Contenu* contenu) const
{
    if (!indicatifValide(m_indicatif))
        return indicatifRefuse(m_indicatif);
    const Statut statut = FichierTexte::litTout(chemin(), &contenu->octets);
    if (statut.code == Statut::Absent) {
        return Statut::enEchec(
            QStringLiteral("Le log %1 est introuvable : rien n'a été enregistré.")
                .arg(Texte::entreGuillemets(nomFichier(m_indicatif))));
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

StationLog::LectureVerrouillee::LectureVerrouillee(const StationLog& log) : verrou(log.m_dossier)
{
    statut = verrou ? log.lit(&contenu) : verrou.statut();
}

template <typename Nouveau>
Statut StationLog::reecrit(const QString& travail, Nouveau&& nouveau) const
{
    const LectureVerrouillee lecture(*this);
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
