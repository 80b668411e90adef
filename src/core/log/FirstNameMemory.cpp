#include "FirstNameMemory.h"

#include "StationLog.h"
#include "Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <QDir>
#include <QHash>

FirstNameMemory::FirstNameMemory(const QString& dossier) : m_dossier(dossier) {}

QString FirstNameMemory::chemin() const
{
    return QDir(m_dossier).filePath(nomFichier);
}

FirstNameMemory::Trouve FirstNameMemory::Cherche_Prenom(const QString& indicatif,
                                                        Statut* statut) const
{
    Trouve t;
    QStringList lignes;
    Statut lu = FichierTexte::litTexte(chemin(), &lignes);
    if (lu.code == Statut::Absent)
        lu = Statut::valide();
    if (statut)
        *statut = lu;
    for (const QString& ligne : lignes) {
        if (Texte::sansBlancs(ligne.left(12)) != indicatif)
            continue;
        t.trouve = true;
        t.departement = Texte::colonnes(ligne, 14, 2);
        t.prenom = Cp1252::majusculesCp1252(ligne.mid(16));
    }
    if (t.departement == QLatin1String("  "))
        t.departement.clear();
    return t;
}

namespace {

// Whether the memory file already holds these lines as a rewrite would
// write them.
bool dejaEcrites(const QStringList& lignes, const QByteArray& octets)
{
    QByteArray contenu;
    contenu.reserve(octets.size());
    for (const QString& l : lignes) {
        QByteArray encodee;
        if (!Cp1252::encode1252(l, &encodee))
            return false;
        contenu += encodee;
        contenu += FichierTexte::finLigne.data();
    }
    return contenu == octets;
}

} // namespace

Statut FirstNameMemory::Memorise_Prenom(const QString& ligne)
{
    return memorisePrenoms({ligne});
}

Statut FirstNameMemory::memorisePrenoms(const QStringList& nouvelles)
{
    // Held from the reading to the replacement: another program of the
    // folder cannot slip its change in between and lose it.
    const FichierTexte::VerrouDossier verrou(m_dossier);
    if (!verrou)
        return verrou.statut();
    QByteArray octets;
    const Statut lu = FichierTexte::litTout(chemin(), &octets);
    if (!lu && lu.code != Statut::Absent)
        return lu;
    QStringList lignes;
    FichierTexte::pourChaqueLigne(octets, [&lignes](const char* donnees, qsizetype taille) {
        lignes.append(Cp1252::decode1252(donnees, taille));
    });

    // Where the lines of each callsign stand in the memory.
    QHash<QString, QList<qsizetype>> places;
    for (qsizetype i = 0; i < lignes.size(); ++i)
        places[lignes.at(i).left(12)].append(i);
    bool changee = false;
    for (const QString& ligne : nouvelles) {
        const QString cle = ligne.left(12);
        auto it = places.find(cle);
        if (it == places.end()) {
            places.insert(cle, {lignes.size()});
            lignes.append(ligne);
            changee = true;
            continue;
        }
        for (const qsizetype i : *it) {
            changee = changee || lignes.at(i) != ligne;
            lignes[i] = ligne;
        }
    }
    // A station saved again with the same first name (an edited QSO, a new
    // QSO with a known station) leaves the file as it is: nothing to write
    // nor to flush to the disk.
    if (lu && !changee && dejaEcrites(lignes, octets))
        return Statut::valide();
    return FichierTexte::remplaceTexte(
        chemin(), QDir(m_dossier).filePath(StationLog::fichierTravail), lignes, m_synchronisation);
}

QString FirstNameMemory::formeLigne(const QString& indicatif, const QString& departement,
                                    const QString& prenom)
{
    return Texte::completeABlancs(indicatif, 13) + Texte::completeABlancs(departement, 3) + prenom;
}
