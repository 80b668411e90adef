// What the user waits for, from the moment of the action to the last drawing
// of the window that shows its result, on logs of 1,000, 10,000 and 99,999
// QSOs, each beside a reference measured in the same run:
//
// - start: from exec to the end of the last drawing of the filled list (the
//   paint of the list and the flush of the window that follow it), beside a
//   bare Qt window with one label, from exec to its label drawn; with the
//   most memory resident (VmHWM) at that moment; without a radio set (hamlib
//   never loaded), and with hamlib's dummy radio set;
// - memory once the five award and search windows are open and drawn;
// - save: from the "Oui" of the question to the list redrawn;
// - a callsign search and an unreceived-QSL search, from Enter or the button
//   to the result list redrawn;
// - ADIF export, from the menu to the file closed, beside a copy of the log
//   written and synced to the disk.
//
// Starts alternate with the bare window (A B A B ...) and each figure is the
// median of the runs. Run it on a real display server (bench/waits.sh starts
// Xvfb): the offscreen platform draws nothing on a screen.
//
//   bench_waits [runs] [starts|actions]     (default 9 runs, both parts)
//
// The starts run this program again in a child mode:
//   bench_waits --start label|program|windows <folder> <settings.ini>
// and a folder for a profiler's run of such a start is made by
//   bench_waits --prepare <folder> <QSOs>

#include "Depart.h"
#include "LogBanc.h"
#include "core/app/Reglages.h"
#include "core/log/Affichage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/app/Main.h"
#include "gui/awards/Multi_QSL.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/search/Recherche_Indicatif.h"
#include "support/BoiteMessageScriptee.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kIndicatif = QStringLiteral("F5BEN");
const int kTailles[] = {1000, 10000, 99999};

// Watches the paints of one widget: `fin` is the moment the event loop came
// back after the last of them (the window flushed to the screen), and the
// loop ends once the widget has had no paint for a while.
class Dessins : public QObject {
public:
    Dessins(QWidget* cible, std::function<bool()> pret, int calmeMs = 300)
        : m_cible(cible), m_pret(std::move(pret))
    {
        m_calme.setSingleShot(true);
        m_calme.setInterval(calmeMs);
        connect(&m_calme, &QTimer::timeout, this, [this] { m_boucle.quit(); });
        cible->installEventFilter(this);
    }
    // Waits for the paints; the moment of the last one, 0 when none came.
    qint64 attend(int maxiMs = 5000)
    {
        QTimer limite;
        limite.setSingleShot(true);
        connect(&limite, &QTimer::timeout, this, [this] { m_boucle.quit(); });
        limite.start(maxiMs);
        m_boucle.exec();
        return fin;
    }
    void recommence() { fin = 0; }

    qint64 fin = 0;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == m_cible && evenement->type() == QEvent::Paint && m_pret()) {
            QTimer::singleShot(0, this, [this] {
                fin = maintenantNs();
                m_calme.start();
            });
        }
        return false;
    }

private:
    QWidget* m_cible;
    std::function<bool()> m_pret;
    QTimer m_calme;
    QEventLoop m_boucle;
};

// Child: start as asked, print the moment of the last drawing and the most
// memory resident so far, and end.
int demarre(int argc, char* argv[])
{
    const QByteArray genre = argv[2];
    QApplication programme(argc, argv);
    if (genre == "label") {
        QLabel fenetre(QStringLiteral("RQN_KZT"));
        fenetre.resize(fenetre.sizeHint().expandedTo(QSize(800, 600)));
        Dessins dessins(&fenetre, [] { return true; });
        fenetre.show();
        const qint64 fin = dessins.attend();
        std::printf("%lld %lld\n", (long long)fin, memoireMaxKo());
        return fin ? 0 : 1;
    }
    StockReglages reglages(QString::fromLocal8Bit(argv[4]));
    HorlogeSysteme horloge;
    BoiteMessageScriptee messages;
    const Services services{QString::fromLocal8Bit(argv[3]), reglages, horloge, messages,
                            [] { QCoreApplication::exit(1); }};
    Main fenetre(services);
    ListeLog* liste = fenetre.listeLog();
    Dessins dessins(liste->Liste_KZT->viewport(),
                    [liste] { return liste->nombreLignes() > 0 && liste->indexSelection() >= 0; });
    if (!fenetre.demarreProgramme())
        return 1;
    qint64 fin = dessins.attend();
    if (genre == "windows") {
        for (const char* nom : {"Mnu_M_Contacte", "Mnu_Carte_HB", "Mnu_Score", "Mnu_Non_Recues"})
            fenetre.findChild<QAction*>(QLatin1String(nom))->trigger();
        fenetre.zoneDeSaisie()->Rechercher->click();
        // Every window drawn.
        QTimer calme;
        calme.setSingleShot(true);
        QObject::connect(&calme, &QTimer::timeout, &programme, &QCoreApplication::quit);
        calme.start(1500);
        programme.exec();
        fin = maintenantNs();
    }
    std::printf("%lld %lld\n", (long long)fin, memoireMaxKo());
    return fin ? 0 : 1;
}

struct Dossier {
    QTemporaryDir temporaire;
    QString fichierIni;
    QString fichierIniRadio;
    QString log;

    explicit Dossier(int ligneQso)
    {
        log = QDir(temporaire.path()).filePath(kIndicatif + QStringLiteral("_KZT.log"));
        ecritLog(ligneQso);
        fichierIni = QDir(temporaire.path()).filePath(QStringLiteral("KZT.ini"));
        StockReglages reglages(fichierIni);
        reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, kIndicatif);
        // The same, with hamlib's dummy radio set: hamlib is loaded and the
        // radio read from the start.
        fichierIniRadio = QDir(temporaire.path()).filePath(QStringLiteral("KZT-radio.ini"));
        StockReglages avecRadio(fichierIniRadio);
        avecRadio.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, kIndicatif);
        avecRadio.ecrit(QStringLiteral("Radio"), QStringLiteral("Modele"), QStringLiteral("1"));
    }
    void ecritLog(int ligneQso) const
    {
        QFile f(log);
        const QByteArray octets = LogBanc::fichier(ligneQso);
        if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
            qFatal("cannot write the log");
    }
    QString chemin() const { return temporaire.path(); }
};

struct Ligne {
    QString nom;
    double mesure;
    double reference;
    const char* unite;
    double but; // ratio, or milliseconds when unite is "ms"
};

std::vector<Ligne> gTable;

void note(const QString& nom, double mesure, double reference, const char* unite, double but)
{
    gTable.push_back({nom, mesure, reference, unite, but});
    const bool ratio = std::strcmp(unite, "ms") != 0 || reference > 0;
    std::printf("  %-52s %9.1f %-2s", qPrintable(nom), mesure, unite);
    if (ratio && reference > 0)
        std::printf("  ref %9.1f  x%.2f", reference, mesure / reference);
    std::printf("\n");
    std::fflush(stdout);
}

void departs(int fois)
{
    std::printf("Start, exec to the last drawing (median of %d, interleaved with the bare "
                "window)\n",
                fois);
    for (const int taille : kTailles) {
        const Dossier d(taille);
        std::vector<double> nu, nuMo, programme, programmeMo, fen, fenMo, radio, radioMo;
        lance("label", d.chemin(), d.fichierIni); // warms the disk cache
        lance("program", d.chemin(), d.fichierIni);
        for (int i = 0; i < fois; ++i) {
            Depart r = lance("label", d.chemin(), d.fichierIni);
            nu.push_back(r.ms);
            nuMo.push_back(r.mo);
            r = lance("program", d.chemin(), d.fichierIni);
            programme.push_back(r.ms);
            programmeMo.push_back(r.mo);
            r = lance("program", d.chemin(), d.fichierIniRadio);
            radio.push_back(r.ms);
            radioMo.push_back(r.mo);
            if (taille == 99999) {
                r = lance("windows", d.chemin(), d.fichierIni);
                fen.push_back(r.mo);
            }
        }
        using LogBanc::mediane;
        const QString n = QLocale(QLocale::English).toString(taille);
        note(QStringLiteral("start to the list drawn, %1 QSOs").arg(n), mediane(programme),
             mediane(nu), "ms", taille < 50000 ? 1.3 : 1.5);
        note(QStringLiteral("peak memory at start, %1 QSOs").arg(n), mediane(programmeMo),
             mediane(nuMo), "MB", 1.5);
        note(QStringLiteral("start, a radio set, %1 QSOs").arg(n), mediane(radio), mediane(nu),
             "ms", taille < 50000 ? 1.3 : 1.5);
        note(QStringLiteral("peak memory at start, a radio set, %1 QSOs").arg(n), mediane(radioMo),
             mediane(nuMo), "MB", 1.5);
        if (!fen.empty())
            note(QStringLiteral("memory, five windows open, %1 QSOs").arg(n), mediane(fen),
                 mediane(nuMo), "MB", 2.0);
    }
}

// Records when the question was answered.
class Boite : public BoiteMessageScriptee {
public:
    ReponseBoite montre(const QString& texte, Boutons boutons) override
    {
        const ReponseBoite r = BoiteMessageScriptee::montre(texte, boutons);
        reponse = maintenantNs();
        return r;
    }
    qint64 reponse = 0;
};

void frappe(QWidget* w, int touche)
{
    QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier);
    QKeyEvent relache(QEvent::KeyRelease, touche, Qt::NoModifier);
    QApplication::sendEvent(w, &appui);
    QApplication::sendEvent(w, &relache);
}

// A copy of the file written and synced, as a save or an export does.
double copieSynchronisee(const QString& source, const QString& cible)
{
    QFile f(source);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(source));
    const qint64 debut = maintenantNs();
    const QByteArray octets = f.readAll();
    const int fd = ::open(QFile::encodeName(cible).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, octets.constData(), size_t(octets.size())) != octets.size() ||
        ::fsync(fd) != 0)
        qFatal("cannot write the copy");
    ::close(fd);
    return double(maintenantNs() - debut) / 1e6;
}

// What one measure of the window needs: the program on a log of one size.
struct Banc {
    const Dossier& d;
    Main& fenetre;
    Boite& messages;
    const Services& services;
    ListeLog* liste;
    int taille;
    QString n;     // the size, as printed
    QString copie; // where the synced copy of the log is written
};

void mesureSauvegarde(const Banc& b, Dessins& dessinsListe, int fois)
{
    const Dossier& d = b.d;
    Main& fenetre = b.fenetre;
    Boite& messages = b.messages;
    ListeLog* liste = b.liste;
    const int taille = b.taille;
    const QString& n = b.n;
    const QString& copie = b.copie;
    std::vector<double> sauve, reference;
    for (int i = 0; i < fois; ++i) {
        reference.push_back(copieSynchronisee(d.log, copie));
        liste->selectionneDerniere();
        Q_EMIT liste->ligneDoubleCliquee(liste->indexSelection());
        ZoneSaisie* z = fenetre.zoneDeSaisie();
        z->Prenom_A->setText(i % 2 ? QStringLiteral("JEAN") : QStringLiteral("PAUL"));
        dessinsListe.recommence();
        messages.reponse = 0;
        z->Valide_A->click();
        const qint64 fin = dessinsListe.attend();
        if (!messages.reponse || !fin || liste->nombreLignes() != taille)
            qFatal("the save did not go through");
        sauve.push_back(double(fin - messages.reponse) / 1e6);
    }
    using LogBanc::mediane;
    note(QStringLiteral("\"Oui\" to the list redrawn after a save, %1 QSOs").arg(n), mediane(sauve),
         mediane(reference), "ms", 20);
}

void mesureRecherche(const Banc& b, int fois)
{
    Main& fenetre = b.fenetre;
    const Services& services = b.services;
    ListeLog* liste = b.liste;
    const int taille = b.taille;
    const QString& n = b.n;
    using LogBanc::mediane;
    Recherche_Indicatif* recherche = Recherche_Indicatif::ouvreFenetre(services, *liste, &fenetre);
    QListView* resultats = recherche->QSO_Effectues;
    Dessins dessinsRecherche(
        resultats->viewport(), [resultats] { return resultats->model()->rowCount() > 0; }, 150);
    dessinsRecherche.attend(1000);
    const QString cherche = QStringLiteral("F%1").arg(taille / 2, 6, 10, QLatin1Char('0'));
    std::vector<double> cherches;
    for (int i = 0; i < fois; ++i) {
        recherche->Indica->setText(cherche);
        recherche->Indica->setFocus();
        dessinsRecherche.recommence();
        const qint64 debut = maintenantNs();
        frappe(recherche->Indica, Qt::Key_Return);
        const qint64 fin = dessinsRecherche.attend();
        if (!fin || resultats->model()->rowCount() != 1)
            qFatal("the search found nothing");
        cherches.push_back(double(fin - debut) / 1e6);
    }
    note(QStringLiteral("one callsign search, %1 QSOs").arg(n), mediane(cherches), 0, "ms", 15);
    recherche->close();
}

void mesureQslNonRecues(const Banc& b, int fois)
{
    Main& fenetre = b.fenetre;
    const int taille = b.taille;
    const QString& n = b.n;
    using LogBanc::mediane;
    fenetre.findChild<QAction*>(QStringLiteral("Mnu_Non_Recues"))->trigger();
    auto* qsl = fenetre.findChild<Multi_QSL*>();
    if (!qsl)
        qFatal("no QSL window");
    QListView* lignesQsl = qsl->Liste_QSO;
    Dessins dessinsQsl(
        lignesQsl->viewport(), [lignesQsl] { return lignesQsl->model()->rowCount() > 0; }, 150);
    dessinsQsl.attend(1000);
    const QString cle = QStringLiteral("F%1").arg(taille / 20, 5, 10, QLatin1Char('0'));
    std::vector<double> qsls;
    for (int i = 0; i < fois; ++i) {
        qsl->Indicatif->setText(cle);
        dessinsQsl.recommence();
        const qint64 debut = maintenantNs();
        qsl->Recherche->click();
        const qint64 fin = dessinsQsl.attend();
        if (!fin)
            qFatal("the QSL search found nothing");
        qsls.push_back(double(fin - debut) / 1e6);
    }
    note(QStringLiteral("one unreceived-QSL search, %1 QSOs").arg(n), mediane(qsls), 0, "ms", 15);
    qsl->close();
}

// The menu, to the file closed (the notice that follows is answered at once).
void mesureExportation(const Banc& b, int fois)
{
    const Dossier& d = b.d;
    Main& fenetre = b.fenetre;
    Boite& messages = b.messages;
    const QString& n = b.n;
    const QString& copie = b.copie;
    using LogBanc::mediane;
    QAction* adif = fenetre.findChild<QAction*>(QStringLiteral("Mnu_ADIF"));
    std::vector<double> exportations, copies;
    for (int i = 0; i < fois; ++i) {
        copies.push_back(copieSynchronisee(d.log, copie));
        messages.vide();
        const qint64 debut = maintenantNs();
        adif->trigger();
        exportations.push_back(double(messages.reponse - debut) / 1e6);
        if (!messages.dernierTexte().startsWith(QStringLiteral("Le fichier a été enregistré")))
            qFatal("the export failed");
    }
    note(QStringLiteral("ADIF export to the file closed, %1 QSOs").arg(n), mediane(exportations),
         mediane(copies), "ms", 100);
}

void actions(int fois)
{
    std::printf("Actions through the window, to the result drawn (median of %d)\n", fois);
    for (const int taille : kTailles) {
        const Dossier d(taille);
        StockReglages reglages(d.fichierIni);
        HorlogeSysteme horloge;
        Boite messages;
        const Services services{d.chemin(), reglages, horloge, messages, [] {}};
        Main fenetre(services);
        ListeLog* liste = fenetre.listeLog();
        Dessins dessinsListe(
            liste->Liste_KZT->viewport(), [liste] { return liste->indexSelection() >= 0; }, 150);
        if (!fenetre.demarreProgramme())
            qFatal("start failed");
        dessinsListe.attend();
        const Banc banc{d,
                        fenetre,
                        messages,
                        services,
                        liste,
                        taille,
                        QLocale(QLocale::English).toString(taille),
                        QDir(d.chemin()).filePath(QStringLiteral("copie.bin"))};
        mesureSauvegarde(banc, dessinsListe, fois);
        mesureRecherche(banc, fois);
        mesureQslNonRecues(banc, fois);
        mesureExportation(banc, fois);
    }
}

void table()
{
    std::printf("\n%-52s %10s %10s %8s %8s %s\n", "what", "measured", "reference", "ratio", "goal",
                "met");
    for (const Ligne& l : gTable) {
        const bool ms = std::strcmp(l.unite, "ms") == 0 && l.but > 2.5;
        const double ratio = l.reference > 0 ? l.mesure / l.reference : 0;
        const bool atteint = ms ? l.mesure <= l.but : ratio <= l.but;
        char referenceDonnee[32] = "-";
        char rapport[32] = "-";
        if (l.reference > 0) {
            std::snprintf(referenceDonnee, sizeof referenceDonnee, "%.1f %s", l.reference, l.unite);
            std::snprintf(rapport, sizeof rapport, "x%.2f", ratio);
        }
        char but[32];
        if (ms)
            std::snprintf(but, sizeof but, "<=%.0f ms", l.but);
        else
            std::snprintf(but, sizeof but, "<=x%.1f", l.but);
        std::printf("%-52s %7.1f %-2s %10s %8s %8s %s\n", qPrintable(l.nom), l.mesure, l.unite,
                    referenceDonnee, rapport, but, atteint ? "yes" : "NO");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 5 && QByteArray(argv[1]) == "--start")
        return demarre(argc, argv);

    if (argc == 4 && QByteArray(argv[1]) == "--prepare") {
        const QDir dossier(QString::fromLocal8Bit(argv[2]));
        QFile f(dossier.filePath(kIndicatif + QStringLiteral("_KZT.log")));
        const QByteArray octets = LogBanc::fichier(std::atoi(argv[3]));
        if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
            return 1;
        StockReglages(dossier.filePath(QStringLiteral("KZT.ini")))
            .ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, kIndicatif);
        return 0;
    }
    QApplication programme(argc, argv);
    const int fois = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    std::printf("Platform %s\n", qPrintable(QGuiApplication::platformName()));
    const QByteArray partie = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (partie != "actions")
        departs(fois);
    if (partie != "starts")
        actions(fois);
    table();
    return 0;
}
