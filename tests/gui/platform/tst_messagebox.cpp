#include "gui/platform/WidgetMessageBox.h"
#include "support/ScriptedMessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct Seen {
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool modal = false;
};

// Reads the box once it is open, then presses the button with this caption.
void answerWhenShown(Seen* seen, const QString& press)
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

class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheTextAndReturnsTheAnswer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("yesNo");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("answer");
        QTest::newRow("notice") << "Entrez un indicatif" << false << "OK"
                                << "Entrez un indicatif" << int(MessageBox::AnswerOk);
        QTest::newRow("leading line break") << "\r\nPremiere installation\r\n\r\n"
                                            << false << "OK"
                                            << "\nPremiere installation\n\n"
                                            << int(MessageBox::AnswerOk);
        QTest::newRow("yes") << "Voulez vous Supprimer ce QSO ?" << true << "Oui"
                             << "Voulez vous Supprimer ce QSO ?" << int(MessageBox::AnswerYes);
        QTest::newRow("no") << "Voulez vous Supprimer ce QSO ?" << true << "Non"
                            << "Voulez vous Supprimer ce QSO ?" << int(MessageBox::AnswerNo);
    }
    void showsTheTextAndReturnsTheAnswer()
    {
        QFETCH(QString, text);
        QFETCH(bool, yesNo);
        QFETCH(QString, press);
        QFETCH(QString, shown);
        QFETCH(int, answer);
        WidgetMessageBox box;
        Seen seen;
        answerWhenShown(&seen, press);
        const MessageBox::Answer a = box.show(text, yesNo ? MessageBox::YesNo : MessageBox::Ok);
        QCOMPARE(int(a), answer);
        QCOMPARE(seen.title, QStringLiteral("RQN_KZT"));
        QCOMPARE(seen.text, shown);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QVERIFY(seen.modal);
        QCOMPARE(seen.buttons.size(), yesNo ? 2 : 1);
    }

    void enterAnswersYes()
    {
        WidgetMessageBox box;
        QTimer::singleShot(0, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(box.show("Voulez vous enregistrer ces données ?", MessageBox::YesNo),
                 MessageBox::AnswerYes);
    }

    void scriptedBoxRecordsAndAnswers()
    {
        ScriptedMessageBox box;
        box.queue(MessageBox::AnswerNo);
        QVERIFY(!box.confirm("Voulez vous Supprimer ce QSO ?"));
        QVERIFY(box.confirm("encore ?")); // script empty: Yes
        box.notice("fin");
        QCOMPARE(box.texts(), (QStringList{"Voulez vous Supprimer ce QSO ?", "encore ?", "fin"}));
        QCOMPARE(box.shown().at(2).buttons, MessageBox::Ok);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
