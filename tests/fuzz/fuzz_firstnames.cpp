// The first-name memory over any file and any sequence of look-ups and
// updates. An update replaces the lines of the same callsign (first twelve
// characters) or appends, keeps every other line byte for byte, and leaves no
// work file; a line the file cannot hold is refused and changes nothing. A
// look-up gives what the last line of the callsign holds.
//
// Input: a byte with the number of lines of the file at the start and its line
// ends, then pieces cut at LF: those lines, then the operations: "M" callsign
// TAB department TAB first name (UTF-8) remembers, "C" callsign looks up.

#include "Aleatoire.h"

#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"

#include <QDir>
#include <QFile>

namespace {

FirstNameMemory::Trouve cherche(const QList<QByteArray>& fichier, const QString& indicatif)
{
    FirstNameMemory::Trouve t;
    for (const QByteArray& octets : fichier) {
        const QString ligne = Cp1252::decode1252(octets);
        if (Texte::sansBlancs(ligne.left(12)) != indicatif)
            continue;
        t.trouve = true;
        t.departement = ligne.mid(13, 2);
        t.prenom = Cp1252::majusculesCp1252(ligne.mid(16));
    }
    if (t.departement == QLatin1String("  "))
        t.departement.clear();
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const qsizetype initiales = donnees[0] & 15;
    const bool lf = donnees[0] & 16;
    const QList<QByteArray> pieces = Aleatoire::morceaux(donnees + 1, taille - 1);

    QList<QByteArray> fichier;
    for (qsizetype i = 0; i < initiales && i < pieces.size(); ++i)
        fichier.append(Aleatoire::sansFinDeLigne(pieces.at(i)));
    while (!fichier.isEmpty() && fichier.last().isEmpty())
        fichier.removeLast();

    const QString dossier = Aleatoire::dossier();
    FirstNameMemory memoire(dossier);
    QFile::remove(memoire.chemin());
    if (!(donnees[0] & 32))
        Aleatoire::ecrit(memoire.chemin(), Aleatoire::contenu(fichier, lf, true));
    else
        fichier.clear(); // no file: an empty memory

    for (qsizetype i = initiales; i < pieces.size() && i < initiales + 16; ++i) {
        const QByteArray& op = pieces.at(i);
        if (op.startsWith('C')) {
            const QString indicatif = QString::fromUtf8(op.mid(1));
            Statut statut;
            const FirstNameMemory::Trouve t = memoire.Cherche_Prenom(indicatif, &statut);
            const FirstNameMemory::Trouve attendu = cherche(fichier, indicatif);
            FUZZ_CHECK(statut.estOk());
            FUZZ_CHECK(t.trouve == attendu.trouve);
            FUZZ_CHECK(t.departement == attendu.departement);
            FUZZ_CHECK(t.prenom == attendu.prenom);
        } else if (op.startsWith('M')) {
            const QList<QByteArray> champs = op.mid(1).split('\t');
            const QString ligne = FirstNameMemory::formeLigne(QString::fromUtf8(champs.value(0)),
                                                              QString::fromUtf8(champs.value(1)),
                                                              QString::fromUtf8(champs.value(2)));
            const QByteArray avant = Aleatoire::lit(memoire.chemin());
            const Statut statut = memoire.Memorise_Prenom(ligne);
            FUZZ_CHECK(!QFile::exists(QDir(dossier).filePath(StationLog::fichierTravail)));

            QByteArray octets;
            const bool valide = Cp1252::encode1252(ligne, &octets) && !octets.contains('\r') &&
                                !octets.contains('\n');
            if (!valide) {
                FUZZ_CHECK(!statut.estOk() && !statut.message.isEmpty());
                FUZZ_CHECK(Aleatoire::lit(memoire.chemin()) == avant);
                continue;
            }
            FUZZ_CHECK(statut.estOk());
            const QByteArray cle = octets.left(12);
            bool remplacee = false;
            for (QByteArray& l : fichier) {
                if (l.left(12) == cle) {
                    l = octets;
                    remplacee = true;
                }
            }
            if (!remplacee)
                fichier.append(octets);
            // Empty lines at the end of the file are not lines of the memory.
            QList<QByteArray> lu = Aleatoire::lignes(Aleatoire::lit(memoire.chemin()));
            QList<QByteArray> attendu = fichier;
            while (!lu.isEmpty() && lu.last().isEmpty())
                lu.removeLast();
            while (!attendu.isEmpty() && attendu.last().isEmpty())
                attendu.removeLast();
            FUZZ_CHECK(lu == attendu);
            fichier = lu;
        }
    }
    return 0;
}
