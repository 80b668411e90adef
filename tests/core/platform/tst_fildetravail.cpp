#include "core/platform/FichierVerrou.h"
#include "core/platform/FilDeTravail.h"
#include "support/HorlogeReglee.h"

#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// What a worker saw, kept by the test past the worker's end.
struct Constats {
    std::atomic<int> enCoursAuDestructeur{-1};
    std::atomic<bool> dernierFait{false};
    std::atomic<int> ordresApres{0};
    QSemaphore detruit;
};

class Travailleur : public QObject {
public:
    explicit Travailleur(Constats& constats) : m_constats(constats) {}
    // What a radio's handle does in its destructor: the worker's thread is
    // still counted while it runs.
    ~Travailleur() override { m_constats.enCoursAuDestructeur = FilDeTravail::enCours(); }

private:
    Constats& m_constats;
};

} // namespace

class TestFilDeTravail : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A worker is counted until its destructor has run, whether the end
    // came within the bound or after a blocked call; an order given after
    // the end is dropped, never sent to a worker that is gone.
    void finDuTravailleur_data()
    {
        QTest::addColumn<bool>("bloque");     // an order holds the worker past the bound
        QTest::addColumn<bool>("dernier");    // arrete() is given a last order
        QTest::addColumn<bool>("ordreApres"); // an order is given after arrete()
        QTest::addColumn<bool>("parDestructeur");
        QTest::newRow("stopped") << false << false << false << false;
        QTest::newRow("stopped with a last order") << false << true << false << false;
        QTest::newRow("ended by its destructor") << false << false << false << true;
        QTest::newRow("order after the stop") << false << true << true << false;
        QTest::newRow("blocked past the bound") << true << true << false << false;
        QTest::newRow("blocked, order after the stop") << true << false << true << false;
    }
    void finDuTravailleur()
    {
        QFETCH(bool, bloque);
        QFETCH(bool, dernier);
        QFETCH(bool, ordreApres);
        QFETCH(bool, parDestructeur);
        Constats constats;
        QSemaphore libere;
        QSemaphore bloqueDemarre;
        const int avant = FilDeTravail::enCours();
        auto* travailleur = new Travailleur(constats);
        auto fil = std::make_unique<FilDeTravail>(QStringLiteral("Essai"), travailleur);
        // After FilDeTravail's own connection: runs once the count is taken off.
        QObject::connect(
            travailleur, &QObject::destroyed, travailleur, [&] { constats.detruit.release(); },
            Qt::DirectConnection);
        QCOMPARE(FilDeTravail::enCours(), avant + 1);
        if (bloque) {
            fil->ordonne([&] {
                bloqueDemarre.release();
                libere.acquire();
            });
            bloqueDemarre.acquire();
        }
        if (parDestructeur) {
            fil.reset();
        } else {
            std::function<void()> fin;
            if (dernier)
                fin = [&] { constats.dernierFait = true; };
            QCOMPARE(fil->arrete(fin), !bloque);
        }
        if (ordreApres && fil)
            fil->ordonne([&] { ++constats.ordresApres; });
        if (bloque) {
            QCOMPARE(FilDeTravail::enCours(), avant + 1);
            libere.release();
        }
        constats.detruit.acquire();
        QCOMPARE(constats.enCoursAuDestructeur.load(), avant + 1);
        QCOMPARE(FilDeTravail::enCours(), avant);
        // A worker left blocked ends as soon as it is free: its destructor
        // closes what it holds.
        QCOMPARE(constats.dernierFait.load(), dernier && !bloque);
        QCOMPARE(constats.ordresApres.load(), 0);
        fil.reset();
        // The thread left blocked deletes itself through the windows' thread.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The worker reads the windows' clock while a test moves it: every
    // reading is one of the moments set, in their order.
    void horlogeLueParLeTravailleur()
    {
        const QDateTime debut(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
        HorlogeReglee horloge(debut, 3600);
        constexpr int pas = 2000;
        std::atomic<bool> fini{false};
        std::atomic<int> incoherences{0};
        QSemaphore parti;
        QThread* lecteur = QThread::create([&] {
            qint64 precedent = 0;
            parti.release();
            while (!fini) {
                const QDateTime t = horloge.utcMaintenant();
                const qint64 s = debut.secsTo(t);
                const QDateTime local = horloge.heureLocale(t);
                if (s < precedent || s > pas || local.offsetFromUtc() != 3600 || local.toUTC() != t)
                    ++incoherences;
                precedent = s;
            }
        });
        lecteur->start();
        parti.acquire();
        for (int i = 0; i < pas; ++i)
            horloge.avanceDe(1);
        fini = true;
        lecteur->wait();
        delete lecteur;
        QCOMPARE(incoherences.load(), 0);
    }

    // A thread that takes and releases a folder's lock, then ends, a hundred
    // times: the threads' ends leave the heap whole (on Windows, the
    // system's own check of the heap), and the lock free for this thread.
    void verrouSurDesFilsQuiFinissent()
    {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        for (int i = 0; i < 100; ++i) {
            bool tenu = false;
            std::unique_ptr<QThread> fil(QThread::create([&] {
                const FichierTexte::VerrouDossier verrou(dossier.path());
                const FichierTexte::VerrouDossier encore(dossier.path());
                tenu = verrou.statut().estOk() && encore.statut().estOk();
            }));
            fil->start();
            QVERIFY(fil->wait(10000));
            QVERIFY(tenu);
        }
#ifdef Q_OS_WIN
        QVERIFY(HeapValidate(GetProcessHeap(), 0, nullptr));
#endif
        const FichierTexte::VerrouDossier ici(dossier.path());
        QVERIFY(ici.statut().estOk());
    }
};

QTEST_GUILESS_MAIN(TestFilDeTravail)
#include "tst_fildetravail.moc"
