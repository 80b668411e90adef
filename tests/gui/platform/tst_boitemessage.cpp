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
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool modal = false;
};

// Reads the box once it is open, then presses the button with this caption.
void reponseALAffichage(Vu* seen, const QString& press)
{
    QTimer::singleShot(0, [seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->modal = box->isModal();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << b->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == press)
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("yesNo");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("answer");
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
        QFETCH(QString, text);
        QFETCH(bool, yesNo);
        QFETCH(QString, press);
        QFETCH(QString, shown);
        QFETCH(int, answer);
        BoiteMessageFenetre box;
        Vu seen;
        reponseALAffichage(&seen, press);
        const BoiteMessage::ReponseBoite a =
            box.show(text, yesNo ? BoiteMessage::OuiNon : BoiteMessage::Ok);
        QCOMPARE(int(a), answer);
        QCOMPARE(seen.title, QStringLiteral("RQN_KZT"));
        QCOMPARE(seen.text, shown);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QVERIFY(seen.modal);
        QCOMPARE(seen.buttons.size(), yesNo ? 2 : 1);
    }

    void entreeRepondOui()
    {
        BoiteMessageFenetre box;
        QTimer::singleShot(0, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(box.show("Voulez vous enregistrer ces données ?", BoiteMessage::OuiNon),
                 BoiteMessage::ReponseOui);
    }

    void boiteScripteeNoteEtRepond()
    {
        BoiteMessageScriptee box;
        box.queue(BoiteMessage::ReponseNon);
        QVERIFY(!box.confirm("Voulez vous Supprimer ce QSO ?"));
        QVERIFY(box.confirm("encore ?")); // script empty: Yes
        box.notice("fin");
        QCOMPARE(box.texts(), (QStringList{"Voulez vous Supprimer ce QSO ?", "encore ?", "fin"}));
        QCOMPARE(box.shown().at(2).buttons, BoiteMessage::Ok);
    }
};

QTEST_MAIN(TestBoiteMessage)
#include "tst_boitemessage.moc"
