#include "FirstNameMemory.h"

#include "LogLine.h"
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

Statut FirstNameMemory::Memorise_Prenom(const QString& ligne)
{
    return memorisePrenoms({ligne});
}

Statut FirstNameMemory::memorisePrenoms(const QStringList& nouvelles)
{
    QByteArray octets;
    for (const QString& ligne : nouvelles) {
        QByteArray encodee;
        // A line end within a line would make two lines of it in the file.
        qsizetype mauvais = -1;
        for (qsizetype i = 0; i < ligne.size() && mauvais < 0; ++i) {
            if (ligne.at(i) == QLatin1Char('\r') || ligne.at(i) == QLatin1Char('\n'))
                mauvais = i;
        }
        if (mauvais >= 0 || !Cp1252::encode1252(ligne, &encodee, &mauvais)) {
            return memoriseLignes(
                {}, Statut::enEchec(
                        QStringLiteral("Le caractère %1 ne peut pas être enregistré dans le "
                                       "fichier %2. Rien n'a été écrit.")
                            .arg(Cp1252::decrit(ligne, mauvais),
                                 FichierTexte::cheminEntreGuillemets(chemin()))));
        }
        octets += encodee;
        octets += FichierTexte::finLigne.data();
    }
    return memoriseLignes(octets);
}

Statut FirstNameMemory::memoriseLignes(const QByteArray& nouvelles, const Statut& refus)
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
    if (!refus)
        return refus;

    // The lines of the memory, each one as it stands in the file (or in
    // nouvelles, once replaced), and where those of each callsign (first
    // twelve characters) stand: the first one, and after each the next.
    std::vector<QByteArrayView> lignes;
    FichierTexte::parcourtLignes(
        octets.constData(), octets.size(),
        [&lignes](const char* donnees, qsizetype taille) { lignes.emplace_back(donnees, taille); });
    const auto cle = [](QByteArrayView ligne) {
        return ligne.first(qMin<qsizetype>(12, ligne.size()));
    };
    QHash<QByteArrayView, qsizetype> premieres;
    std::vector<qsizetype> suivantes(lignes.size(), -1);
    for (qsizetype i = qsizetype(lignes.size()) - 1; i >= 0; --i) {
        qsizetype& premiere = premieres[cle(lignes[size_t(i)])];
        if (premiere > 0)
            suivantes[size_t(i)] = premiere - 1;
        premiere = i + 1;
    }
    for (auto it = premieres.begin(); it != premieres.end(); ++it)
        --*it;
    bool changee = false;
    FichierTexte::parcourtLignes(nouvelles.constData(), nouvelles.size(),
                                 [&](const char* donnees, qsizetype taille) {
                                     const QByteArrayView ligne(donnees, taille);
                                     const auto place = premieres.constFind(cle(ligne));
                                     if (place == premieres.cend()) {
                                         premieres.insert(cle(ligne), qsizetype(lignes.size()));
                                         lignes.push_back(ligne);
                                         suivantes.push_back(-1);
                                         changee = true;
                                         return;
                                     }
                                     for (qsizetype i = *place; i >= 0; i = suivantes[size_t(i)]) {
                                         changee = changee || lignes[size_t(i)] != ligne;
                                         lignes[size_t(i)] = ligne;
                                     }
                                 });

    QByteArray contenu;
    qsizetype total = 0;
    for (const QByteArrayView l : lignes)
        total += l.size() + FichierTexte::finLigne.size();
    contenu.reserve(total);
    for (const QByteArrayView l : lignes) {
        contenu += l;
        contenu += FichierTexte::finLigne.data();
    }
    // A station saved again with the same first name (an edited QSO, a new
    // QSO with a known station) leaves the file as it is: nothing to write
    // nor to flush to the disk.
    if (lu && !changee && contenu == octets)
        return Statut::valide();
    return FichierTexte::remplaceContenu(
        chemin(), QDir(m_dossier).filePath(StationLog::fichierTravail), contenu, m_synchronisation);
}

QString FirstNameMemory::prenomDe(const QString& nom, bool* codable)
{
    QString p = nom;
    for (qsizetype i = Texte::premierControle(p); i >= 0; i = Texte::premierControle(p))
        p[i] = QLatin1Char(' ');
    p = Cp1252::lettresDeBase(p.simplified());
    const qsizetype largeur = LogLine::Prenom.largeur;
    if (p.size() > largeur)
        p = p.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).left(largeur);
    p = Cp1252::majusculesCp1252(p);
    const bool ok = Cp1252::estCodable(p);
    if (codable)
        *codable = ok;
    return ok ? p : QString();
}

QString FirstNameMemory::formeLigne(const QString& indicatif, const QString& departement,
                                    const QString& prenom)
{
    return Texte::completeABlancs(indicatif, 13) + Texte::completeABlancs(departement, 3) + prenom;
}
