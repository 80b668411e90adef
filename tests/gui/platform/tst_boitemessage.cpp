#include "gui/platform/BoiteMessageFenetre.h"
#include "support/BoiteMessageScriptee.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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
};

QTEST_MAIN(TestBoiteMessage)
#include "tst_boitemessage.moc"
