// Times of the windmill hunt against a log of 99,999 QSOs spread over the
// bands and departments: the index of the log, then a burst of 10,000 lines
// of a cluster node (live spots and history lines in every form of
// reference, bells and colours, announcements) cut into lines, cleaned,
// read and marked; then the same burst sent by a node on loopback to the
// window "Chasse aux moulins", from the first byte sent to the list showing
// the last spot. The memory is measured over 40 bursts and a line of 10 MB
// without an end.
//
//   bench_cluster [folder]     (default: a temporary folder)

#include "Depart.h"
#include "LogBanc.h"
#include "core/app/Services.h"
#include "core/cluster/DecoupeLignes.h"
#include "core/cluster/TableauChasse.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/platform/Horloge.h"
#include "core/platform/Sonnerie.h"
#include "core/platform/StockReglages.h"
#include "gui/app/Main.h"
#include "gui/cluster/Chasse_Moulins.h"
#include "gui/cluster/ModeleSpots.h"
#include "gui/platform/Apparence.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"
#include "support/NoeudCluster.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kQso = 99999;
constexpr int kLignes = 10000;
const QString kStation = QStringLiteral("F1XYZ");

QString departement(int n)
{
    const int d = n % 97 + 1;
    return d == 96 ? QStringLiteral("2a") : d == 97 ? QStringLiteral("2b") : QString::number(d);
}

QString ligneQso(int n)
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("F%1AB").arg(n % 5000);
    const QString d = departement(n);
    c.departement = d;
    c.prenom = QStringLiteral("JEAN");
    c.reference = (d.size() == 1 ? QLatin1Char('0') + d : d) +
                  QStringLiteral("%1").arg(n % 997, 3, 10, QLatin1Char('0'));
    const QDateTime t =
        QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 1800);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = QStringLiteral("SSB");
    c.bande = listeBandes().at(n % listeBandes().size());
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin = QStringLiteral("MOULIN DE LA GALETTE %1").arg(n % 100);
    return LogLine::forme(c).ligne;
}

// A burst of lines as a node sends them, CR LF after each.
QByteArray rafale(int premier)
{
    static const char* const khz[] = {"1830.0",   "3650.5",   "7012.0",  "10120.0",   "14250.0",
                                      "18100.0",  "21250.0",  "24950.0", "28450.0",   "50150.0",
                                      "144300.0", "432200.0", "5357.0",  "10368000.0"};
    QByteArray octets;
    octets.reserve(qsizetype(kLignes) * 90);
    quint32 alea = 12345u + quint32(premier);
    for (int i = 0; i < kLignes; ++i) {
        alea = alea * 1664525u + 1013904223u;
        const int n = premier + i;
        const QByteArray f = khz[(alea >> 8) % 14];
        QString d = departement(int(alea >> 12));
        if (d.size() == 1)
            d.prepend(QLatin1Char('0'));
        const QByteArray ref =
            (d + QStringLiteral("%1").arg((alea >> 16) % 1000, 3, 10, QLatin1Char('0'))).toLatin1();
        const QByteArray appel = "F" + QByteArray::number(n % 9000 + 1000) + "XY";
        switch (i % 10) {
        case 0:
            octets += "DX de F5ABC:     " + f + "  " + appel + "     KZT " + ref +
                      " Moulin de la Tour      1359Z\r\n";
            break;
        case 1:
            octets += "\a\aDX de DL1ABC-12:" + f + " " + appel + " kzt-" + ref +
                      " cw up 1 1401Z JN18\a\r\n";
            break;
        case 2:
            octets += "\x1b[1;33mDX de F6XYZ:\x1b[0m   " + f + "  " + appel + "  moulin " +
                      ref.left(2) + "-" + ref.mid(2) + "                 1402Z\r\n";
            break;
        case 3:
            octets += f + "  " + appel + "   7-Dec-2026 1359Z KZT" + ref +
                      " moulin                  <F5ABC>\r\n";
            break;
        case 4:
            octets += "DX de W3LPL:     " + f + "  " + appel + "     up 2 tnx QSO     1403Z EU\r\n";
            break;
        case 5:
            octets += "WWV de W0MU <18>:   SFI=150, A=8, K=2, No Storms -> No Storms\r\n";
            break;
        default:
            octets += "DX de F5ABC:     " + f + "  " + appel + "     KZT " + ref +
                      "                  1404Z\r\n";
            break;
        }
    }
    return octets;
}

// What the connection does with a read: lines cut, each one cleaned.
QList<QByteArray> lignesPropres(const QByteArray& octets)
{
    DecoupeLignes decoupe;
    QList<QByteArray> lignes;
    // In pieces of the size a network read gives.
    for (qsizetype i = 0; i < octets.size(); i += 1460)
        decoupe.ajoute(QByteArrayView(octets).sliced(i, qMin<qsizetype>(1460, octets.size() - i)),
                       &lignes);
    for (QByteArray& l : lignes)
        l = Spot::nettoie(l);
    return lignes;
}

long long memoireKo()
{
    long long rss = 0;
    QFile etat(QStringLiteral("/proc/self/status"));
    if (etat.open(QIODevice::ReadOnly)) {
        for (const QByteArray& ligne : etat.readAll().split('\n')) {
            if (ligne.startsWith("VmRSS:"))
                rss = ligne.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return rss;
}

void imprime(const char* quoi, double ms, double limite = 100)
{
    std::printf("%-62s %8.1f ms%s\n", quoi, ms, ms < limite ? "" : "   (over 100 ms)");
}

class Muette : public Sonnerie {
public:
    void sonne() override { ++fois; }
    int fois = 0;
};

constexpr int executions = 7;

void calculs(const QString& cheminLog)
{
    HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC));
    const QByteArray burst = rafale(0);

    const double index = LogBanc::medianeMs(executions, [&] {
        IndexMoulins i;
        if (!i.construit(cheminLog))
            qFatal("cannot read the log");
    });
    imprime("index of the log (one pass)", index);

    QList<QByteArray> lignes;
    const double decoupe = LogBanc::medianeMs(executions, [&] { lignes = lignesPropres(burst); });
    imprime("10,000 lines cut and cleaned", decoupe);

    std::vector<double> seuls;
    for (int k = 0; k < executions; ++k) {
        TableauChasse chasse(horloge);
        chasse.changeLog(cheminLog);
        QElapsedTimer t;
        t.start();
        chasse.recoit(lignes);
        seuls.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    imprime("10,000 lines read and marked", LogBanc::mediane(seuls));

    TableauChasse::Reception r;
    qsizetype gardes = 0;
    const double tout = LogBanc::medianeMs(executions, [&] {
        TableauChasse chasse(horloge);
        chasse.changeLog(cheminLog);
        r = chasse.recoit(lignesPropres(burst));
        gardes = qsizetype(chasse.lignes().size());
    });
    imprime("index, then the burst cut, cleaned, read and marked (in all)", tout);
    std::printf("  %lld spots read, %lld kept, %lld alerts, %lld other lines shown\n",
                static_cast<long long>(r.spots), static_cast<long long>(gardes),
                static_cast<long long>(r.alertes), static_cast<long long>(r.messages.size()));

    TableauChasse chasse(horloge);
    chasse.changeLog(cheminLog);
    chasse.recoit(lignes);
    const double apres = LogBanc::medianeMs(executions, [&] { chasse.changeLog(cheminLog); });
    imprime("a QSO saved: index again, 500 spots marked again", apres);

    // Memory: 10 bursts of new spots to settle, then 30 more, each one's
    // lines gone once read: what stays is the 500 spots kept.
    for (int k = 1; k <= 10; ++k)
        chasse.recoit(lignesPropres(rafale(k * kLignes)));
    const long long avant = memoireKo();
    for (int k = 11; k <= 40; ++k)
        chasse.recoit(lignesPropres(rafale(k * kLignes)));
    const long long apres30 = memoireKo();
    DecoupeLignes decoupeur;
    QList<QByteArray> aucune;
    const QByteArray bloc(1 << 20, 'x');
    for (int k = 0; k < 10; ++k)
        decoupeur.ajoute(bloc, &aucune);
    std::printf("  40 bursts later: %lld spots kept; resident memory over the last 30: %+lld kB\n",
                static_cast<long long>(chasse.lignes().size()), apres30 - avant);
    std::printf("  a line of 10 MB without an end: %lld bytes kept of it\n",
                static_cast<long long>(decoupeur.partiel().size()));
}

// The burst from a node on loopback to the window's list.
bool chasseDansSaFenetre(const QString& dossier)
{
    QTemporaryDir reglagesDir;
    StockReglages reglages(reglagesDir.filePath(QStringLiteral("KZT.ini")));
    HorlogeSysteme horloge;
    BoiteMessageScriptee messages;
    Muette sonnerie;
    NoeudCluster noeud;
    noeud.historique.clear();
    if (!noeud.demarre())
        return false;
    reglages.ecrit(QStringLiteral("Setup "), QStringLiteral("Indicatif Station"), kStation);
    reglages.ecrit(QStringLiteral("Cluster"), QStringLiteral("Hote"), QStringLiteral("127.0.0.1"));
    reglages.ecrit(QStringLiteral("Cluster"), QStringLiteral("Port"),
                   QString::number(noeud.port()));
    Services services{dossier, reglages, horloge, messages, [] {}};
    Main m(services);
    m.changeSonnerie(&sonnerie);
    if (!m.demarreProgramme())
        return false;
    m.findChild<QAction*>(QStringLiteral("Mnu_Chasse"))->trigger();
    auto* f = Apparence::fenetreOuverte<Chasse_Moulins>(&m);
    QElapsedTimer attente;
    attente.start();
    while (!f->client().estConnecte() && attente.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    if (!f->client().estConnecte())
        return false;

    std::vector<double> temps;
    for (int k = 0; k < executions; ++k) {
        // The burst ends with a spot of its own, newest in the list once
        // everything before it was read.
        const QString fin = QStringLiteral("F9END%1").arg(k);
        const QByteArray burst = rafale((k + 1) * 100000) + "DX de F5ABC:  14250.0  " +
                                 fin.toLatin1() + "  fin  1405Z\r\n";
        QElapsedTimer t;
        t.start();
        noeud.envoie(burst);
        while (t.elapsed() < 10000) {
            const TableauChasse::Ligne* l = f->modeleSpots().ligne(0);
            if (l && l->spot.indicatif == fin)
                break;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        temps.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    imprime("the burst from a node on loopback to the window's list", LogBanc::mediane(temps));

    // 1.6 MB of random bytes from the node, then a spot: the longest pause
    // of the windows' event loop until that spot is listed, seen by a timer
    // that beats every 5 ms.
    QByteArray bruit(1600 * 1024, Qt::Uninitialized);
    quint32 alea = 987654321u;
    for (char& c : bruit) {
        alea = alea * 1664525u + 1013904223u;
        c = char(alea >> 24);
    }
    const QString finBruit = QStringLiteral("F9BRUIT");
    QElapsedTimer depuis, total;
    qint64 pire = 0;
    QTimer battement;
    QObject::connect(&battement, &QTimer::timeout, [&] { pire = qMax(pire, depuis.restart()); });
    battement.start(5);
    depuis.start();
    total.start();
    noeud.envoie(bruit + "\r\nDX de F5ABC:  14250.0  " + finBruit.toLatin1() + "  fin  1406Z\r\n");
    while (total.elapsed() < 30000) {
        const TableauChasse::Ligne* l = f->modeleSpots().ligne(0);
        if (l && l->spot.indicatif == finBruit)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    pire = qMax(pire, depuis.elapsed());
    imprime("1.6 MB of random bytes from the node, to the spot after them",
            double(total.elapsed()));
    imprime("  longest pause of the event loop meanwhile", double(pire));
    std::printf("  %d lines in the messages pane\n", f->Messages_Cluster->blockCount());
    std::printf("  %lld rows listed, %d alerts rung, resident memory %lld kB (peak %lld kB)\n",
                static_cast<long long>(f->modeleSpots().rowCount()), sonnerie.fois, memoireKo(),
                memoireMaxKo());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication programme(argc, argv);
    QTemporaryDir temporaire;
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporaire.path();
    QDir().mkpath(dossier);

    const StationLog log(dossier, kStation);
    {
        QFile f(log.chemin());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the log");
        for (int n = 1; n <= kQso; ++n)
            f.write(ligneQso(n).toLatin1() + "\r\n");
    }
    QFile modele(QDir(dossier).filePath(QStringLiteral("FXXXX.txt")));
    modele.open(QIODevice::WriteOnly);
    std::printf("log of %d QSOs, bursts of %d lines\n\n", kQso, kLignes);
    calculs(log.chemin());
    return chasseDansSaFenetre(dossier) ? 0 : 1;
}
