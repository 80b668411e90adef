// The road of QSOs through the real main window, typed with the keyboard.
#include "app/BancProgramme.h"
#include "core/log/Affichage.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

const QByteArray kQso1 =
    "F5XYZ        77   JEAN            77121 06/12/26 14:05 SSB 14 Mhz  59  57  "
    "M. GALETTE                     *\r\n";

} // namespace

class TestFenetreSaisie : public QObject {
    Q_OBJECT

    std::unique_ptr<BancProgramme> b;
    std::unique_ptr<Main> m;
    ZoneSaisie* z = nullptr;

    QWidget* focus() const { return QApplication::focusWidget(); }
    // Types text and Enter in the field that has the focus.
    void tape(const QString& texte, bool entree = true)
    {
        QWidget* w = focus();
        QVERIFY(w);
        for (QChar c : texte) {
            if (c.unicode() < 128) {
                QTest::keyClick(w, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::KeyAction::Press, w, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
                QTest::sendKeyEvent(QTest::KeyAction::Release, w, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
        if (entree)
            QTest::keyClick(focus(), Qt::Key_Return);
    }
    void valideParEntree() { QTest::keyClick(focus(), Qt::Key_Return); }
    QByteArray log() const { return BancProgramme::lit(b->cheminLog("F1ABC")); }
    QTreeView* liste() const { return m->listeLog()->Liste_KZT; }
    void clique(int ligne, bool double_ = false)
    {
        const QRect r = liste()->visualRect(liste()->model()->index(ligne, 0));
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, r.center());
        if (double_)
            QTest::mouseDClick(liste()->viewport(), Qt::LeftButton, {}, r.center());
    }
    void demarre(const QByteArray& contenu = {}, bool dateAuto = true)
    {
        b = std::make_unique<BancProgramme>();
        b->choisitStation("F1ABC");
        b->reglages.ecrit(Reglages::sectionStation("F1ABC"), Reglages::dateAutomatique,
                          dateAuto ? Reglages::valeurOui : Reglages::valeurNon);
        b->reglages.ecrit(Reglages::sectionStation("F1ABC"), Reglages::bandeUtilisee, "4");
        QFile f(b->cheminLog("F1ABC"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        f.close();
        m = std::make_unique<Main>(b->services());
        QVERIFY(m->demarreProgramme());
        QApplication::setActiveWindow(m.get());
        QVERIFY(QTest::qWaitForWindowActive(m.get()));
        z = m->zoneDeSaisie();
        QCOMPARE(focus(), z->Ind_A);
    }

private Q_SLOTS:
    void cleanup()
    {
        m.reset();
        b.reset();
    }

    void modeAutomatiqueQsoTapeEtEnregistre()
    {
        demarre();
        tape("f5xyz");
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F5XYZ"));
        QCOMPARE(focus(), z->Prenom_A);
        tape("jean");
        tape("77");
        tape("77121");
        QCOMPARE(focus(), z->Mode_A);
        QCOMPARE(z->Date_A->text(), QStringLiteral("06/12/26"));
        QCOMPARE(z->Heure_A->text(), QStringLiteral("14:05"));
        valideParEntree(); // SSB
        valideParEntree(); // 59
        QTest::keyClick(focus(), Qt::Key_Backspace);
        tape("7"); // 57
        QCOMPARE(focus(), z->Rem_A);
        tape("galette");
        QCOMPARE(focus(), z->QSL_A);
        QTest::keyClick(focus(), Qt::Key_Space);
        valideParEntree();
        QCOMPARE(focus(), z->Valide_A);
        valideParEntree(); // the box answers Yes
        QCOMPARE(b->messages.textes(), QStringList{"Voulez vous enregistrer ces données ?"});
        QCOMPARE(log(), kQso1);
        QCOMPARE(BancProgramme::lit(b->chemin("Liste_Prenom.txt")),
                 QByteArray("F5XYZ        77 JEAN\r\n"));
        QCOMPARE(m->listeLog()->nombreLignes(), 1);
        QCOMPARE(m->listeLog()->indexSelection(), 0);
        QCOMPARE(focus(), z->Ind_A);
        QVERIFY(z->Ind_A->text().isEmpty());
        QVERIFY(z->Annule_Saisie->isEnabled());
        QVERIFY(!z->Valide_A->isEnabled());

        // The next QSO with the same callsign gets its department and first
        // name back; the same windmill on the same band is a duplicate.
        tape("f5xyz");
        QCOMPARE(z->Dpt_A->text(), QStringLiteral("77"));
        QCOMPARE(z->Prenom_A->text(), QStringLiteral("JEAN"));
        valideParEntree();
        valideParEntree();
        tape("77121");
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("77121 Chateau deja contacté le 06/12/26 sur 14 Mhz"));
        QCOMPARE(focus(), z->Ind_A);
        QVERIFY(!z->Ref_A->isEnabled());
        QCOMPARE(log(), kQso1);
    }

    void modeManuelInsereParDateAvecAccents()
    {
        demarre(kQso1, false);
        QVERIFY(z->Date_A->text().isEmpty() || z->Date_A->text() == "06/12/26");
        tape("f6abc");
        tape("");
        tape("2A");
        tape("2a001");
        QCOMPARE(focus(), z->Date_A);
        tape("01/01/25");
        tape("09:30");
        QCOMPARE(focus(), z->Mode_A);
        QTest::keyClick(focus(), Qt::Key_A, Qt::ControlModifier);
        tape("cw");
        valideParEntree();
        valideParEntree();
        tape("moulin à élise");
        valideParEntree();
        valideParEntree();
        const QByteArray attendu =
            "F6ABC        2a                   2a001 01/01/25 09:30 CW  14 Mhz  59  59  "
            "M. MOULIN \xc0 \xc9LISE               \r\n";
        QCOMPARE(log(), attendu + kQso1);
        // The date stays for the next QSO in manual mode: the last line's.
        QCOMPARE(z->Date_A->text(), QStringLiteral("06/12/26"));
        // The mode typed is one of the list's: it is remembered as chosen.
        QCOMPARE(b->reglageStation("F1ABC", Reglages::modeUtilise), QStringLiteral("1"));
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("CW"));
    }

    void insertionEnModeAutomatiqueParDate()
    {
        demarre(kQso1);
        z->Ajout_QSO->setFocus(); // Enter presses the focused button
        QTest::keyClick(z->Ajout_QSO, Qt::Key_Return);
        QCOMPARE(z->Mode_Aff->text(), QStringLiteral("Insertion QSO"));
        QCOMPARE(focus(), z->Ind_A);
        tape("f8abc");
        tape("");
        tape("77");
        tape("77122");
        QCOMPARE(focus(), z->Date_A); // typed by hand, even in automatic mode
        tape("05/12/26");
        tape("23:10");
        for (int i = 0; i < 6; ++i)
            valideParEntree(); // mode, reports, name, QSL, then the button
        QCOMPARE(log(),
                 "F8ABC        77                   77122 05/12/26 23:10 SSB 14 Mhz  59  59  "
                 "M.                              \r\n" +
                     kQso1);
        QCOMPARE(z->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    }

    // The lines of the list look exactly as the style's own item delegate
    // draws them: selected or not, with the focus or not, in an active
    // window or not, and narrower than a line (scrolled sideways).
    void listeDessineeCommeParLeStyle_data()
    {
        QTest::addColumn<int>("ligne");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("inactive");
        QTest::addColumn<int>("largeur");
        QTest::newRow("last line selected") << 2 << false << false << 0;
        QTest::newRow("line clicked, list with the focus") << 0 << true << false << 0;
        QTest::newRow("no line selected") << -1 << false << false << 0;
        QTest::newRow("window not active") << 1 << true << true << 0;
        QTest::newRow("narrow window, scrolled") << 1 << true << false << 500;
    }
    void listeDessineeCommeParLeStyle()
    {
        QFETCH(int, ligne);
        QFETCH(bool, focus);
        QFETCH(bool, inactive);
        QFETCH(int, largeur);
        QByteArray autre = kQso1;
        autre.replace("F5XYZ", "F6\xc9XY");
        QByteArray court = kQso1.left(40) + "\r\n";
        demarre(kQso1 + autre + court);
        if (largeur > 0) {
            m->resize(largeur, m->height());
            liste()->horizontalScrollBar()->setValue(liste()->horizontalScrollBar()->maximum() / 2);
        }
        if (ligne >= 0)
            clique(ligne);
        else
            liste()->selectionModel()->clear();
        if (focus)
            liste()->setFocus();
        if (inactive) {
            QWidget autreFenetre;
            autreFenetre.show();
            QApplication::setActiveWindow(&autreFenetre);
            QTRY_VERIFY(!m->isActiveWindow());
        }
        const QImage dessinee = liste()->viewport()->grab().toImage();
        QAbstractItemDelegate* propre = liste()->itemDelegate();
        QStyledItemDelegate style;
        liste()->setItemDelegate(&style);
        const QImage attendue = liste()->viewport()->grab().toImage();
        liste()->setItemDelegate(propre);
        QCOMPARE(dessinee.size(), attendue.size());
        QVERIFY(dessinee == attendue);
    }

    void editionParDoubleClic_data()
    {
        QTest::addColumn<bool>("clavier");
        QTest::newRow("double-click") << false;
        QTest::newRow("Enter on the line") << true;
    }
    void editionParDoubleClic()
    {
        QFETCH(bool, clavier);
        QByteArray autre = kQso1;
        autre.replace("F5XYZ", "F6XYZ");
        demarre(kQso1 + autre);
        if (clavier) {
            liste()->setFocus();
            QTest::keyClick(liste(), Qt::Key_Up);
            QCOMPARE(m->listeLog()->indexSelection(), 0);
            QTest::keyClick(liste(), Qt::Key_Enter);
        } else {
            clique(0, true);
        }
        QCOMPARE(z->Mode_Aff->text(), QStringLiteral("Modification QSO"));
        QCOMPARE(focus(), z->Ind_A);
        QVERIFY(z->Valide_A->isEnabled());
        // The list is locked: neither the fields nor the highlighted line move.
        clique(1, true);
        QTest::keyClick(liste(), Qt::Key_Down);
        QCOMPARE(m->listeLog()->indexSelection(), 0);
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F5XYZ"));
        z->Prenom_A->setText("paul");
        QTest::mouseClick(z->Valide_A, Qt::LeftButton);
        QByteArray attendu = kQso1;
        attendu.replace("JEAN", "PAUL");
        QCOMPARE(log(), attendu + autre);
        QCOMPARE(z->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    }

    // A field reached with text already in it has that text selected: Enter
    // keeps it, typing replaces it. The windmill name keeps its cursor at the
    // end of its text.
    void texteRempliSelectionneAuFocus_data()
    {
        QTest::addColumn<bool>("edition"); // the QSO of the list opened for editing
        QTest::addColumn<int>("entrees");  // Enter pressed before the field
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("remembered first name replaced") << false << 0 << "Prenom_A"
                                                        << "JEAN"
                                                        << "paul"
                                                        << "PAUL";
        QTest::newRow("remembered department replaced") << false << 1 << "Dpt_A"
                                                        << "77"
                                                        << "78"
                                                        << "78";
        QTest::newRow("edited callsign") << true << 0 << "Ind_A"
                                         << "F5XYZ"
                                         << "f6abc"
                                         << "F6ABC";
        QTest::newRow("edited first name") << true << 1 << "Prenom_A"
                                           << "JEAN"
                                           << "luc"
                                           << "LUC";
        QTest::newRow("edited department") << true << 2 << "Dpt_A"
                                           << "77"
                                           << "91"
                                           << "91";
        QTest::newRow("edited reference") << true << 3 << "Ref_A"
                                          << "77121"
                                          << "91005"
                                          << "91005";
        QTest::newRow("edited date") << true << 4 << "Date_A"
                                     << "06/12/26"
                                     << "07/12/26"
                                     << "07/12/26";
        QTest::newRow("edited time") << true << 5 << "Heure_A"
                                     << "14:05"
                                     << "15:30"
                                     << "15:30";
        QTest::newRow("edited mode") << true << 6 << "Mode_A"
                                     << "SSB"
                                     << "cw"
                                     << "CW";
        QTest::newRow("edited report") << true << 7 << "RST_A"
                                       << "59"
                                       << "57"
                                       << "57";
        QTest::newRow("edited report sent") << true << 8 << "RSTE_A"
                                            << "57"
                                            << "55"
                                            << "55";
        QTest::newRow("edited windmill name, cursor at its end") << true << 9 << "Rem_A"
                                                                 << ""
                                                                 << "x"
                                                                 << "M. GALETTEX";
    }
    void texteRempliSelectionneAuFocus()
    {
        QFETCH(bool, edition);
        QFETCH(int, entrees);
        QFETCH(QString, champ);
        QFETCH(QString, selection);
        QFETCH(QString, tape);
        QFETCH(QString, attendu);
        demarre(kQso1);
        QFile prenoms(b->chemin("Liste_Prenom.txt"));
        QVERIFY(prenoms.open(QIODevice::WriteOnly));
        prenoms.write("F5XYZ        77 JEAN\r\n");
        prenoms.close();
        if (edition) {
            clique(0, true);
            QCOMPARE(z->Mode_Aff->text(), QStringLiteral("Modification QSO"));
        } else {
            this->tape("f5xyz");
        }
        for (int i = 0; i < entrees; ++i)
            valideParEntree();
        QCOMPARE(focus()->objectName(), champ);
        QLineEdit* l = qobject_cast<QLineEdit*>(focus());
        if (!l)
            l = qobject_cast<QComboBox*>(focus())->lineEdit();
        QCOMPARE(l->selectedText(), selection);
        if (selection.isEmpty())
            QCOMPARE(l->cursorPosition(), int(l->text().size()));
        this->tape(tape, false);
        QCOMPARE(l->text(), attendu);
        QVERIFY(b->messages.textes().isEmpty());
        // No other field shows a selection.
        for (QLineEdit* autre : m->findChildren<QLineEdit*>()) {
            if (autre != l)
                QVERIFY2(!autre->hasSelectedText(), qPrintable(autre->objectName()));
        }
    }

    void suppression_data()
    {
        QTest::addColumn<bool>("oui");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void suppression()
    {
        QFETCH(bool, oui);
        demarre(kQso1 + kQso1);
        clique(1);
        QVERIFY(z->Annule_Saisie->isEnabled());
        b->messages.prevoit(oui ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
        QTest::mouseClick(z->Annule_Saisie, Qt::LeftButton);
        QCOMPARE(b->messages.dernierTexte(), QStringLiteral("Voulez vous Supprimer ce QSO ?"));
        QCOMPARE(log(), oui ? QByteArray() : kQso1 + kQso1);
        QCOMPARE(m->listeLog()->nombreLignes(), oui ? 0 : 2);
        QVERIFY(!z->Annule_Saisie->isEnabled());
    }

    // The last line was already the selected one: declining still shows it
    // again, so it can be deleted at once and its date is kept in manual mode.
    void refuserRemontreLaDerniereLigne()
    {
        demarre(kQso1, false);
        QVERIFY(!z->Annule_Saisie->isEnabled());
        tape("f6abc");
        tape("");
        tape("2a");
        tape("2a001");
        tape("01/01/25");
        tape("09:30");
        for (int i = 0; i < 5; ++i)
            valideParEntree();
        QCOMPARE(focus(), z->Valide_A);
        b->messages.prevoit(BoiteMessage::ReponseNon);
        valideParEntree();
        QCOMPARE(log(), kQso1);
        QVERIFY(z->Annule_Saisie->isEnabled());
        QCOMPARE(z->Date_A->text(), QStringLiteral("06/12/26"));
        QVERIFY(z->Ind_A->text().isEmpty());
    }

    void doubleClicSurUneListeVide()
    {
        demarre();
        QTest::mouseDClick(liste()->viewport(), Qt::LeftButton, {},
                           liste()->viewport()->rect().center());
        QCOMPARE(b->messages.dernierTexte(), QStringLiteral("Cliquez sur une ligne pour l'editer"));
        QCOMPARE(z->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    }

    // A band however chosen is the one of this QSO and of the next ones.
    void bandeChoisieVautPourLesQsoSuivants_data()
    {
        QTest::addColumn<QString>("maniere");
        QTest::addColumn<QString>("bandeDonnee");
        QTest::newRow("typed") << "typed"
                               << "21 Mhz";
        QTest::newRow("mouse") << "mouse"
                               << "7.0 Mhz";
        QTest::newRow("arrow keys") << "arrows"
                                    << "18 Mhz";
    }
    void bandeChoisieVautPourLesQsoSuivants()
    {
        QFETCH(QString, maniere);
        QFETCH(QString, bandeDonnee);
        demarre();
        QComboBox* bande = z->Bande_A;
        QCOMPARE(bande->currentText(), QStringLiteral("14 Mhz"));
        if (maniere == "typed") {
            bande->setFocus();
            QTest::keyClick(bande, Qt::Key_A, Qt::ControlModifier);
            tape("21 mhz");
        } else if (maniere == "mouse") {
            QTest::mouseClick(bande, Qt::LeftButton);
            bande->showPopup();
            QAbstractItemView* vue = bande->view();
            QVERIFY(QTest::qWaitForWindowExposed(vue->window()));
            const QRect r = vue->visualRect(vue->model()->index(2, 0));
            QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, r.center());
        } else {
            bande->setFocus();
            QTest::keyClick(bande, Qt::Key_Down);
            z->Ind_A->setFocus();
        }
        QCOMPARE(bande->currentText(), bandeDonnee);
        z->Ind_A->setFocus();
        for (const char* ind : {"f5aaa", "f5bbb"}) {
            tape(ind);
            tape("");
            tape("77");
            tape(ind == QByteArray("f5aaa") ? "77001" : "77002");
            for (int i = 0; i < 6; ++i)
                valideParEntree();
            QCOMPARE(bande->currentText(), bandeDonnee);
        }
        const QList<QByteArray> lignes = log().split('\n');
        QCOMPARE(lignes.size(), 3);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(lignes.at(i).mid(59, 7), bandeDonnee.leftJustified(7).toLatin1());
        QCOMPARE(b->reglageStation("F1ABC", Reglages::bandeUtilisee),
                 QString::number(listeBandes().indexOf(bandeDonnee)));
    }

    // A line break pasted in a field never reaches the log.
    void sautDeLigneColleRefuse()
    {
        demarre();
        QApplication::clipboard()->setText("f5nl\n");
        QTest::keyClick(z->Ind_A, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(z->Ind_A->text().contains('\n'));
        valideParEntree();
        QVERIFY2(b->messages.dernierTexte().contains("« Indicatif » contient un saut de ligne"),
                 qPrintable(b->messages.dernierTexte()));
        QCOMPARE(focus(), z->Ind_A);
        QCOMPARE(log(), QByteArray());
    }

    void clicPendantLaSaisieMontreLeQso()
    {
        demarre(kQso1);
        tape("f9zzz");
        QCOMPARE(focus(), z->Prenom_A);
        clique(0);
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F5XYZ"));
        QCOMPARE(z->Rem_A->text(), QStringLiteral("M. GALETTE"));
        QVERIFY(z->QSL_A->isChecked());
        QVERIFY(z->Prenom_A->isEnabled()); // enabled fields stay enabled
        QVERIFY(!z->Ref_A->isEnabled());
    }
};

QTEST_MAIN(TestFenetreSaisie)
#include "tst_fenetresaisie.moc"
