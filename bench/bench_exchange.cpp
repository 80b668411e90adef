// Times of the QSO search over a main list of 99,999 lines, of the ADIF
// export of a 99,999-QSO log and of the import of 10,000 records into a
// 10,000-QSO log, then the start of the program on a 10,000-QSO
// log beside the start of an empty Qt window: time until the window is up
// and the most memory used (resident), each the median of several starts.
// The start with the cluster window open (web module loaded) is given too.
//
// The imports of a file of 10 MB of "<" and of one of 200,000 valid
// records (27 MB) are timed too, each in a process of its own, with its
// peak memory beside the file's size.
//
//   bench_exchange [runs]     (default 9 starts of each kind)
//   bench_exchange import     (the imports alone)
//
// The starts and the big imports run this program again in a child mode:
//   bench_exchange --start empty|program|cluster <folder> <settings.ini>
//   bench_exchange --importe <folder> <file.adi>

#include "Depart.h"
#include "LogBanc.h"
#include "core/app/Reglages.h"
#include "core/exchange/Adif.h"
#include "core/exchange/Importation.h"
#include "core/log/Affichage.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "core/search/Recherche.h"
#include "core/web/Web.h"
#include "gui/app/Main.h"
#include "gui/platform/VueWeb.h"
#include "gui/web/Cluster.h"
#include "support/BoiteMessageScriptee.h"
#include "support/Stations.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kIndicatif = QStringLiteral("F5BEN");

QString ligneQso(int n)
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("F%1").arg(n, 6, 10, QLatin1Char('0'));
    c.departement = n % 7 == 0 ? QStringLiteral("2a") : QStringLiteral("%1").arg(n % 95 + 1);
    c.prenom = n % 5 == 0 ? QStringLiteral("HÉLÈNE") : QStringLiteral("JEAN");
    c.reference = QStringLiteral("77%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    const QDateTime t =
        QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 3600);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = listeModes().at(n % 3);
    c.bande = listeBandes().at(n % 12);
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin =
        n % 3 == 0 ? QStringLiteral("MOULIN DE L'ÉCLUSE") : QStringLiteral("MOULIN DE LA GALETTE");
    c.qsl = n % 3 == 0;
    return LogLine::forme(c).ligne;
}

QByteArray log(int lignes)
{
    QByteArray octets;
    octets.reserve(qsizetype(lignes) * 109);
    for (int n = 1; n <= lignes; ++n)
        octets += ligneQso(n).toLatin1() + "\r\n";
    return octets;
}

void recherche()
{
    QStringList lignes;
    lignes.reserve(99999);
    for (int n = 1; n <= 99999; ++n)
        lignes.append(Affichage::ligneAffichage(n, ligneQso(n)));

    struct Cas {
        const char* nom;
        Recherche::Cle cle;
        QString texte;
    };
    const Cas cas[] = {
        {"callsign F00012", Recherche::Cle::Indicatif, QStringLiteral("F00012")},
        {"callsign F (every line found)", Recherche::Cle::Indicatif, QStringLiteral("F")},
        {"reference 77121", Recherche::Cle::Reference, QStringLiteral("77121")},
        {"department 2a", Recherche::Cle::Departement, QStringLiteral("2a")},
        {"department 7", Recherche::Cle::Departement, QStringLiteral("7")},
        {"nothing found", Recherche::Cle::Indicatif, QStringLiteral("K1")},
    };
    std::printf("Search over 99,999 lines of the main list (median of 9)\n");
    for (const Cas& c : cas) {
        qsizetype trouves = 0;
        const double ms = LogBanc::medianeMs(
            9, [&] { trouves = Recherche::Recherche_SP(c.cle, c.texte, lignes).lignes.size(); });
        std::printf("  %-32s %7.1f ms  (%lld found)\n", c.nom, ms, (long long)trouves);
    }
    // Back to the log from the last result.
    const QString dernier = Recherche::ligneResultat(lignes.last());
    std::printf("  %-32s %7.1f ms\n", "back to the main list",
                LogBanc::medianeMs(9, [&] { Recherche::ligneDuResultat(dernier, lignes); }));
}

void exportation()
{
    QTemporaryDir dossier;
    const QByteArray octets = log(99999);
    QFile f(QDir(dossier.path()).filePath(kIndicatif + QStringLiteral("_KZT.log")));
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
        qFatal("cannot write the log");
    f.close();
    qsizetype taille = 0;
    std::printf("ADIF export of 99,999 QSOs (median of 9)\n");
    std::printf("  %-32s %7.1f ms\n", "records in memory", LogBanc::medianeMs(9, [&] {
                    taille = Adif::exportationAdif(kIndicatif, octets).size();
                }));
    std::printf("  %-32s %7.1f ms  (%.1f MB written, synced)\n", "whole export to the disk",
                LogBanc::medianeMs(9,
                                   [&] {
                                       if (!Adif::exporte(dossier.path(), kIndicatif))
                                           qFatal("export failed");
                                   }),
                double(taille) / 1e6);
}

// A QSO of the import: the hour of QSO n of the log, another callsign, its
// department that of its windmill.
QString qsoImporte(int n)
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("G%1").arg(n, 6, 10, QLatin1Char('0'));
    const QString departement = n % 7 == 0
                                    ? QStringLiteral("2a")
                                    : QStringLiteral("%1").arg(n % 95 + 1, 2, 10, QLatin1Char('0'));
    c.departement = departement == QLatin1String("20") ? QStringLiteral("21") : departement;
    c.prenom = n % 5 == 0 ? QStringLiteral("HELENE") : QStringLiteral("JEAN");
    c.reference = c.departement + QStringLiteral("%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    const QDateTime t =
        QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 3600 + 1800);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = listeModes().at(n % 3);
    c.bande = listeBandes().at(n % 12);
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("57");
    c.nomMoulin = QStringLiteral("MOULIN DE LA GALETTE");
    c.qsl = n % 3 == 0;
    return LogLine::forme(c).ligne;
}

// Counts the replacements of the station log.
class Remplacements : public FichierTexte::OperationsFichier {
public:
    int renomme(const QString& depuis, const QString& vers) override
    {
        if (vers.endsWith(QStringLiteral("_KZT.log")) &&
            !vers.contains(QStringLiteral("Sauvegardes")))
            ++m_log;
        return OperationsFichier::renomme(depuis, vers);
    }
    int m_log = 0;
};

void importation()
{
    QTemporaryDir dossier;
    const QByteArray octets = log(10000);
    QByteArray autre;
    for (int n = 1; n <= 10000; ++n)
        autre += qsoImporte(n).toLatin1() + "\r\n";
    const QString adi = QDir(dossier.path()).filePath(QStringLiteral("autre.adi"));
    QFile a(adi);
    if (!a.open(QIODevice::WriteOnly) || a.write(Adif::exportationAdif(kIndicatif, autre)) < 0)
        qFatal("cannot write the ADI file");
    a.close();
    const QString chemin = QDir(dossier.path()).filePath(kIndicatif + QStringLiteral("_KZT.log"));
    const HorlogeSysteme horloge;
    Remplacements compte;
    qsizetype importes = 0;
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octets) != octets.size())
            qFatal("cannot write the log");
        f.close();
        QFile::remove(QDir(dossier.path()).filePath(QStringLiteral("Liste_Prenom.txt")));
        FichierTexte::OperationsFichier* avant = FichierTexte::changeOperationsFichier(&compte);
        QElapsedTimer chrono;
        chrono.start();
        const Importation::Bilan b =
            Importation::importeFichier(dossier.path(), kIndicatif, adi, horloge);
        ms.push_back(double(chrono.nsecsElapsed()) / 1e6);
        FichierTexte::changeOperationsFichier(avant);
        if (!b.statut)
            qFatal("import failed: %s", qPrintable(b.statut.message));
        importes = b.importes;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("ADIF import of 10,000 records into a 10,000-QSO log (median of 5)\n");
    std::printf("  %-32s %7.1f ms  (%lld imported, %.1f rewrites of the log each)\n",
                "read, check, merge, write, names", ms[ms.size() / 2], (long long)importes,
                double(compte.m_log) / 5);
}

// Record n of a big file: 200,000 QSOs, each with a windmill of its own in
// its band group (a third of them in each of HF, VHF and UHF), one in four
// with a first name, in the convention most programs write (SIG "KZT").
QByteArray enregistrementValide(int n)
{
    static const QStringList departements = [] {
        QStringList d;
        for (int i = 1; i <= 95; ++i) {
            if (i != 20)
                d << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        }
        d << QStringLiteral("2a") << QStringLiteral("2b");
        return d;
    }();
    const int moulin = n / 3;
    const QByteArray reference = departements.at(moulin / 1000).toLatin1() +
                                 QByteArray::number(moulin % 1000).rightJustified(3, '0');
    const char* bandes[] = {"<BAND:3>20m", "<BAND:2>2m", "<BAND:4>70cm"};
    const QDateTime t = QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 60);
    QByteArray r = "<CALL:7>G" + QByteArray::number(n).rightJustified(6, '0') + "<QSO_DATE:8>" +
                   t.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "<TIME_ON:4>" +
                   t.toString(QStringLiteral("HHmm")).toLatin1() + bandes[n % 3] +
                   "<MODE:3>SSB<SIG:3>KZT<SIG_INFO:5>" + reference + "<RST_RCVD:2>59<RST_SENT:2>57";
    if (n % 4 == 0)
        r += "<NAME:4>JEAN";
    return r + "<EOR>\n";
}

// Child: imports the file into the empty log of the folder and prints the
// time it took, the most memory resident (at the end, and before the
// import: the bare program's), the QSOs imported and the records read.
int importe(char* argv[])
{
    const QString dossier = QString::fromLocal8Bit(argv[2]);
    const QString fichier = QString::fromLocal8Bit(argv[3]);
    const HorlogeSysteme horloge;
    const long long avant = memoireMaxKo();
    const qint64 debut = maintenantNs();
    const Importation::Bilan b = Importation::importeFichier(dossier, kIndicatif, fichier, horloge);
    const qint64 fin = maintenantNs();
    if (!b.statut)
        qFatal("import failed: %s", qPrintable(b.statut.message));
    std::printf("%lld %lld %lld %lld %lld\n", (long long)(fin - debut), memoireMaxKo(), avant,
                (long long)b.importes, (long long)b.enregistrements);
    return 0;
}

// Imports of files of tens of megabytes, each in a process of its own, so
// that its peak memory is that of the import. Each must take less than 5 s
// and less memory than three times the file's size.
void grandesImportations()
{
    QTemporaryDir dossier;
    const QString chevrons = QDir(dossier.path()).filePath(QStringLiteral("chevrons.adi"));
    const QString moulins = QDir(dossier.path()).filePath(QStringLiteral("moulins.adi"));
    {
        QFile f(chevrons);
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(10 * 1024 * 1024, '<')) < 0)
            qFatal("cannot write the file of '<'");
        QFile g(moulins);
        if (!g.open(QIODevice::WriteOnly))
            qFatal("cannot write the file of records");
        for (int n = 0; n < 200000; ++n)
            g.write(enregistrementValide(n));
    }
    std::printf("ADIF import of big files into an empty log (a process each, best of 3)\n");
    const struct {
        const char* nom;
        QString fichier;
    } fichiers[] = {{"10 MB of '<'", chevrons}, {"200,000 valid records", moulins}};
    const QString log = QDir(dossier.path()).filePath(kIndicatif + QStringLiteral("_KZT.log"));
    for (const auto& f : fichiers) {
        const double mo = double(QFileInfo(f.fichier).size()) / (1024.0 * 1024.0);
        double ms = 1e300;
        double pic = 1e300;
        double base = 1e300;
        long long importes = 0;
        long long enregistrements = 0;
        for (int i = 0; i < 3; ++i) {
            QFile vide(log);
            if (!vide.open(QIODevice::WriteOnly | QIODevice::Truncate))
                qFatal("cannot write the log");
            vide.close();
            QFile::remove(QDir(dossier.path()).filePath(QStringLiteral("Liste_Prenom.txt")));
            QDir(QDir(dossier.path()).filePath(QStringLiteral("Sauvegardes"))).removeRecursively();
            const QList<QByteArray> lus = relance(
                {"--importe", dossier.path().toLocal8Bit(), f.fichier.toLocal8Bit()}, 5, f.nom);
            ms = std::min(ms, double(lus.at(0).toLongLong()) / 1e6);
            pic = std::min(pic, double(lus.at(1).toLongLong()) / 1024.0);
            base = std::min(base, double(lus.at(2).toLongLong()) / 1024.0);
            importes = lus.at(3).toLongLong();
            enregistrements = lus.at(4).toLongLong();
        }
        std::printf("  %-22s %5.1f MB %7.1f ms %6.1f MB max resident (x%.2f the file; %.1f MB "
                    "before the import: x%.2f for the import itself)  %lld of %lld records "
                    "imported\n",
                    f.nom, mo, ms, pic, pic / mo, base, (pic - base) / mo, importes,
                    enregistrements);
    }
}

// The window is up: the moment, and the most memory resident so far (this
// process only: the count starts again at exec), then the end.
void pret()
{
    const qint64 ns = maintenantNs();
    std::printf("%lld %lld\n", (long long)ns, memoireMaxKo());
    QCoreApplication::quit();
}

// Child: start as asked, print the moment the window is up, and end.
int demarre(int argc, char* argv[])
{
    const QByteArray genre = argv[2];
    QApplication programme(argc, argv);
    if (genre == "empty") {
        QWidget fenetre;
        fenetre.resize(800, 600);
        fenetre.show();
        QTimer::singleShot(0, &pret);
        return programme.exec();
    }
    if (genre == "text") {
        // The same window with one line of text, measured: the system's
        // fonts are looked up, as any window that shows text must.
        QLabel fenetre(QStringLiteral("RQN_KZT"));
        fenetre.resize(fenetre.sizeHint().expandedTo(QSize(800, 600)));
        fenetre.show();
        QTimer::singleShot(0, &pret);
        return programme.exec();
    }
    StockReglages reglages(QString::fromLocal8Bit(argv[4]));
    HorlogeSysteme horloge;
    BoiteMessageScriptee messages;
    const Services services{QString::fromLocal8Bit(argv[3]), reglages, horloge, messages,
                            [] { QCoreApplication::exit(1); }};
    Main fenetre(services);
    if (!fenetre.demarreProgramme())
        return 1;
    if (genre == "cluster") {
        VueWeb::dossierDuModule(QStringLiteral(KZT_PROGRAM_DIR));
        VueWeb::creeNavigateur([](const QUrl&) { return true; });
        Cluster::ouvreFenetre(services, stationFixe(kIndicatif));
    }
    QTimer::singleShot(0, &pret);
    return programme.exec();
}

void departs(int fois)
{
    QTemporaryDir dossier;
    QFile f(QDir(dossier.path()).filePath(kIndicatif + QStringLiteral("_KZT.log")));
    const QByteArray octets = log(10000);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
        qFatal("cannot write the log");
    f.close();
    const QString fichierIni = QDir(dossier.path()).filePath(QStringLiteral("KZT.ini"));
    {
        StockReglages reglages(fichierIni);
        reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, kIndicatif);
        // Nowhere to go: the web module loads, the page fails at once.
        reglages.ecrit(Reglages::sectionGlobale, Web::cleSiteCluster,
                       QStringLiteral("http://127.0.0.1:9"));
    }

    std::printf("Start (median of %d; platform %s)\n", fois,
                qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
                    ? "default"
                    : qgetenv("QT_QPA_PLATFORM").constData());
    Depart reference{};
    for (const char* genre : {"empty", "text", "program", "cluster"}) {
        std::vector<double> ms;
        std::vector<double> mo;
        lance(genre, dossier.path(), fichierIni); // warms the disk cache
        for (int i = 0; i < fois; ++i) {
            const Depart d = lance(genre, dossier.path(), fichierIni);
            ms.push_back(d.ms);
            mo.push_back(d.mo);
        }
        std::sort(ms.begin(), ms.end());
        std::sort(mo.begin(), mo.end());
        const Depart m{ms[ms.size() / 2], mo[mo.size() / 2]};
        if (reference.ms == 0)
            reference = m;
        const char* nom = std::strcmp(genre, "empty") == 0     ? "empty Qt window"
                          : std::strcmp(genre, "text") == 0    ? "Qt window with one label"
                          : std::strcmp(genre, "program") == 0 ? "program, 10,000-QSO log"
                                                               : "program + cluster window";
        std::printf("  %-28s %7.1f ms (x%.2f)  %7.1f MB max resident (x%.2f)\n", nom, m.ms,
                    m.ms / reference.ms, m.mo, m.mo / reference.mo);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 5 && QByteArray(argv[1]) == "--start")
        return demarre(argc, argv);
    if (argc >= 4 && QByteArray(argv[1]) == "--importe") {
        QCoreApplication programme(argc, argv);
        return importe(argv);
    }

    QApplication programme(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "import") {
        importation();
        grandesImportations();
        return 0;
    }
    const int fois = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    recherche();
    exportation();
    importation();
    grandesImportations();
    departs(fois);
    return 0;
}
