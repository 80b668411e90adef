#include "core/platform/Progression.h"
#include "gui/platform/BoiteMessageFenetre.h"
#include "gui/platform/DialogueProgression.h"
#include "support/BoiteMessageScriptee.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QThread>
#include <QTimer>

namespace {

struct Vu {
    QString titre;
    QString texte;
    QStringList boutons;
    QMessageBox::Icon icone = QMessageBox::Information;
    bool modal = false;
};

// Reads the box once it is open, then presses the button with this caption.
void reponseALAffichage(Vu* vus, const QString& appui)
{
    QTimer::singleShot(0, [vus, appui] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(boite);
        vus->titre = boite->windowTitle();
        vus->texte = boite->text();
        vus->icone = boite->icon();
        vus->modal = boite->isModal();
        for (QAbstractButton* b : boite->buttons())
            vus->boutons << b->text();
        for (QAbstractButton* b : boite->buttons()) {
            if (b->text() == appui)
                b->click();
        }
    });
}

} // namespace

class TestBoiteMessage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void montreLeTexteEtRendLaReponse_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("ouiNon");
        QTest::addColumn<QString>("appui");
        QTest::addColumn<QString>("affichees");
        QTest::addColumn<int>("reponse");
        QTest::newRow("notice") << "Entrez un indicatif" << false << "OK"
                                << "Entrez un indicatif" << int(BoiteMessage::ReponseOk);
        QTest::newRow("leading line break") << "\r\nPremiere installation\r\n\r\n"
                                            << false << "OK"
                                            << "\nPremiere installation\n\n"
                                            << int(BoiteMessage::ReponseOk);
        QTest::newRow("Windows path kept whole")
            << "RQN_KZT est déjà ouvert sur le dossier « C:\\Users\\Jean\\RQN_KZT »." << false
            << "OK"
            << "RQN_KZT est déjà ouvert sur le dossier « C:" + QString(QChar(0x2060)) +
                   "\\Users\\Jean\\RQN_KZT »."
            << int(BoiteMessage::ReponseOk);
        QTest::newRow("yes") << "Voulez vous Supprimer ce QSO ?" << true << "Oui"
                             << "Voulez vous Supprimer ce QSO ?" << int(BoiteMessage::ReponseOui);
        QTest::newRow("no") << "Voulez vous Supprimer ce QSO ?" << true << "Non"
                            << "Voulez vous Supprimer ce QSO ?" << int(BoiteMessage::ReponseNon);
    }
    void montreLeTexteEtRendLaReponse()
    {
        QFETCH(QString, texte);
        QFETCH(bool, ouiNon);
        QFETCH(QString, appui);
        QFETCH(QString, affichees);
        QFETCH(int, reponse);
        BoiteMessageFenetre boite;
        Vu vus;
        reponseALAffichage(&vus, appui);
        const BoiteMessage::ReponseBoite a =
            boite.montre(texte, ouiNon ? BoiteMessage::OuiNon : BoiteMessage::Ok);
        QCOMPARE(int(a), reponse);
        QCOMPARE(vus.titre, QStringLiteral("RQN_KZT"));
        QCOMPARE(vus.texte, affichees);
        QCOMPARE(vus.icone, QMessageBox::NoIcon);
        QVERIFY(vus.modal);
        QCOMPARE(vus.boutons.size(), ouiNon ? 2 : 1);
        // No line is broken inside a path, its drive included.
        QTextBoundaryFinder coupures(QTextBoundaryFinder::Line, vus.texte);
        for (qsizetype j = vus.texte.indexOf('\\'); j > 1; j = vus.texte.indexOf('\\', j + 1)) {
            for (const qsizetype p : {j, j - 1}) {
                coupures.setPosition(p);
                QVERIFY2(!coupures.isAtBoundary(), qPrintable(vus.texte.left(p)));
            }
        }
    }

    void entreeRepondOui()
    {
        BoiteMessageFenetre boite;
        QTimer::singleShot(0, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(boite.montre("Voulez vous enregistrer ces données ?", BoiteMessage::OuiNon),
                 BoiteMessage::ReponseOui);
    }

    void boiteScripteeNoteEtRepond()
    {
        BoiteMessageScriptee boite;
        boite.prevoit(BoiteMessage::ReponseNon);
        QVERIFY(!boite.demandeConfirmation("Voulez vous Supprimer ce QSO ?"));
        QVERIFY(boite.demandeConfirmation("encore ?")); // script empty: Yes
        boite.avise("fin");
        QCOMPARE(boite.textes(),
                 (QStringList{"Voulez vous Supprimer ce QSO ?", "encore ?", "fin"}));
        QCOMPARE(boite.affichees().at(2).boutons, BoiteMessage::Ok);
    }

    // The progress window of long work: the work runs in a thread of its
    // own while the windows' thread goes on; a short one shows no window, a
    // long one a modal window whose "Annuler", Escape or close box asks the
    // work to stop, and which stays until the work has ended.
    void progressionDUnTravailLong_data()
    {
        QTest::addColumn<int>("dureeMs");   // of the work when nobody stops it
        QTest::addColumn<QString>("geste"); // of the user once the window shows
        QTest::addColumn<bool>("montree");
        QTest::newRow("short work: no window") << 50 << QString() << false;
        QTest::newRow("long work, left to its end") << 900 << QString() << true;
        QTest::newRow("stopped by Annuler") << 20000 << "Annuler" << true;
        QTest::newRow("stopped by Escape") << 20000 << "Escape" << true;
        QTest::newRow("stopped by the close box") << 20000 << "close" << true;
    }
    void progressionDUnTravailLong()
    {
        QFETCH(int, dureeMs);
        QFETCH(QString, geste);
        QFETCH(bool, montree);
        QWidget principale;
        principale.show();
        DialogueProgression attente(&principale);
        // The windows' thread is never held up.
        int tours = 0;
        QTimer horloge;
        QObject::connect(&horloge, &QTimer::timeout, [&tours] { ++tours; });
        horloge.start(20);
        bool vue = false, modale = false, arretDit = false;
        QString texte;
        QTimer regard;
        QObject::connect(&regard, &QTimer::timeout, [&] {
            auto* fenetre = principale.findChild<QProgressDialog*>("Progression");
            if (!fenetre || !fenetre->isVisible())
                return;
            if (!vue) {
                vue = true;
                modale = fenetre->isModal() && QApplication::activeModalWidget() == fenetre;
                texte = fenetre->labelText();
                if (geste == "Annuler")
                    fenetre->findChild<QPushButton*>()->click();
                else if (geste == "Escape")
                    QTest::keyClick(fenetre, Qt::Key_Escape);
                else if (geste == "close")
                    fenetre->close();
            } else if (!geste.isEmpty()) {
                arretDit = fenetre->labelText() == "Arrêt en cours…";
            }
        });
        regard.start(10);
        bool arrete = false;
        attente.execute("Importation du fichier « a.adi »…", [&](Progression& p) {
            QElapsedTimer travail;
            travail.start();
            while (travail.elapsed() < dureeMs) {
                if (p.annulee()) {
                    // Winding down takes a moment too: the window stays.
                    QThread::msleep(150);
                    arrete = true;
                    return;
                }
                p.avance(travail.elapsed(), dureeMs);
                QThread::msleep(5);
            }
        });
        QCOMPARE(vue, montree);
        QCOMPARE(arrete, !geste.isEmpty());
        if (montree) {
            QVERIFY2(tours > 3, qPrintable(QString::number(tours)));
            QVERIFY(modale);
            QCOMPARE(texte, QString("Importation du fichier « a.adi »…"));
        }
        if (!geste.isEmpty())
            QVERIFY(arretDit);
        auto* fenetre = principale.findChild<QProgressDialog*>("Progression");
        QVERIFY(!fenetre || !fenetre->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestBoiteMessage)
#include "tst_boitemessage.moc"
