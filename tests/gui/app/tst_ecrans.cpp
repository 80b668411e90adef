// Every window on three screens at once: 1024x768 at scale 1, 1366x768 at
// scale 1.25 and 2560x1440 at scale 2, side by side, each window opened from
// a main window started on the screen of the row: it fits its screen, the
// main window narrowed puts its fields on two rows, and the map is sharp.
#include "BancEcrans.h"
#include "core/awards/CarteDepartements.h"
#include "core/awards/MoulinsContactes.h"
#include "core/search/Recherche.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/awards/Carte_Acti_KZT.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/search/Recherche_Indicatif.h"
#include "support/ImprimantePdf.h"

#include <QAbstractScrollArea>
#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QSet>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeView>
#include <QtMath>

#include <algorithm>
#include <span>

namespace {

// Where a control goes beyond its parent, or is squeezed below the smallest
// size that shows it whole; empty when all is well. The controls scrolled
// inside a view are inside that view's port, whatever their place.
QString horsDePlace(QWidget* fenetre)
{
    for (QWidget* c : fenetre->findChildren<QWidget*>()) {
        if (!c->isVisible() || c->isWindow())
            continue;
        QWidget* parent = c->parentWidget();
        auto* vue = qobject_cast<QAbstractScrollArea*>(parent ? parent->parentWidget() : nullptr);
        if (vue && parent == vue->viewport())
            continue;
        if (!parent->rect().contains(c->geometry()))
            return QStringLiteral("%1 %2 beyond %3 %4")
                .arg(c->objectName(), QDebug::toString(c->geometry()), parent->objectName(),
                     QDebug::toString(parent->rect()));
        // A list is as wide as the characters it was given (its smallest
        // size is that of its text box, wider).
        const QSize minimum = qobject_cast<QComboBox*>(c) ? c->sizeHint() : c->minimumSizeHint();
        const QSizePolicy politique = c->sizePolicy();
        const bool compressible = (politique.horizontalPolicy() & QSizePolicy::ShrinkFlag) &&
                                  politique.horizontalPolicy() != QSizePolicy::Ignored &&
                                  c->minimumWidth() == 0;
        if (minimum.isValid() && compressible && c->width() < minimum.width() &&
            !qobject_cast<QAbstractScrollArea*>(c))
            return QStringLiteral("%1 squeezed to %2, needs %3")
                .arg(c->objectName())
                .arg(c->width())
                .arg(minimum.width());
    }
    return {};
}

// The columns of pixels of the image where something is drawn: those with a
// pixel away from the image's background, its most frequent colour.
QList<int> encre(const QImage& image)
{
    QHash<QRgb, int> frequences;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++frequences[image.pixel(x, y)];
    }
    QRgb fond = 0;
    int plus = -1;
    for (auto it = frequences.cbegin(); it != frequences.cend(); ++it) {
        if (it.value() > plus) {
            plus = it.value();
            fond = it.key();
        }
    }
    QList<int> colonnes;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qAbs(qGray(image.pixel(x, y)) - qGray(fond)) > 64) {
                colonnes.append(x);
                break;
            }
        }
    }
    return colonnes;
}

// Where the label draws its titles against where the list draws the same
// titles put at their columns in one of its lines: the columns of pixels of
// the window (within the part both show) inked by one and not by the other,
// one pixel either way; empty when they stand the same.
QString titresDecales(QLabel* titres, QAbstractItemView* liste,
                      std::span<const Affichage::Titre> colonnes)
{
    QString ligne;
    for (const Affichage::Titre& t : colonnes) {
        ligne = ligne.leftJustified(t.colonne - 1, QLatin1Char(' '));
        ligne += QString::fromUtf8(t.texte);
    }
    QWidget* fenetre = liste->window();
    QStringListModel modele({ligne});
    QAbstractItemModel* avant = liste->model();
    liste->setModel(&modele);
    liste->horizontalScrollBar()->setValue(0);
    QApplication::processEvents();
    const QRect rangee = liste->visualRect(modele.index(0, 0)) & liste->viewport()->rect();
    const QImage dansLaListe = liste->viewport()->grab(rangee).toImage();
    liste->setModel(avant);
    const QImage auDessus = titres->grab().toImage();

    const auto dansLaFenetre = [fenetre](QWidget* w, QPoint origine, const QImage& image) {
        QSet<int> xs;
        const int x0 = w->mapTo(fenetre, origine).x();
        for (int x : encre(image))
            xs.insert(x0 + qFloor(x / image.devicePixelRatio()));
        return xs;
    };
    const QSet<int> a = dansLaFenetre(titres, QPoint(0, 0), auDessus);
    const QSet<int> b = dansLaFenetre(liste->viewport(), rangee.topLeft(), dansLaListe);
    if (a.isEmpty() || b.isEmpty())
        return QStringLiteral("nothing drawn");
    const int gauche = qMax(titres->mapTo(fenetre, QPoint(0, 0)).x(),
                            liste->viewport()->mapTo(fenetre, rangee.topLeft()).x());
    const int droite = qMin(titres->mapTo(fenetre, QPoint(titres->width(), 0)).x(),
                            liste->viewport()->mapTo(fenetre, rangee.topRight()).x());
    QStringList seuls;
    const auto compare = [&](const QSet<int>& un, const QSet<int>& autre, const char* quoi) {
        QList<int> xs = un.values();
        std::sort(xs.begin(), xs.end());
        for (int x : xs) {
            if (x >= gauche && x < droite && !autre.contains(x) && !autre.contains(x - 1) &&
                !autre.contains(x + 1))
                seuls << QStringLiteral("%1 at x=%2").arg(QLatin1String(quoi)).arg(x);
        }
    };
    compare(a, b, "title without text below");
    compare(b, a, "text without title above");
    return seuls.mid(0, 6).join(QStringLiteral(", "));
}

} // namespace

class TestEcrans : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void chaqueFenetreTientDansLEcran_data();
    void chaqueFenetreTientDansLEcran();
    void fenetreEtroiteChampsSurDeuxRangs_data();
    void fenetreEtroiteChampsSurDeuxRangs();
    void carteNetteATouteEchelle_data();
    void carteNetteATouteEchelle();
    void apercuEntierSurLEcran_data();
    void apercuEntierSurLEcran();
    void titresAuDessusDesColonnes_data();
    void titresAuDessusDesColonnes();
    void f1MontreLaSectionDeLaFenetre_data();
    void f1MontreLaSectionDeLaFenetre();

private:
    QTemporaryDir m_sansModule;
};

void TestEcrans::initTestCase()
{
    prepareEcrans(m_sansModule.path());
}

void TestEcrans::cleanup()
{
    fermeFenetres();
}

void TestEcrans::chaqueFenetreTientDansLEcran_data()
{
    QTest::addColumn<QString>("ecran");
    QTest::addColumn<int>("fenetre");
    for (const Ecran& e : kEcrans) {
        for (const auto& [nom, f] : kFenetres)
            QTest::addRow("%s %s", nom, e.nom) << QString::fromLatin1(e.nom) << int(f);
    }
}

void TestEcrans::chaqueFenetreTientDansLEcran()
{
    QFETCH(QString, ecran);
    QFETCH(int, fenetre);
    QScreen* cible = ::ecran(ecran);
    QVERIFY(cible);
    Banc banc(cible, Fenetre(fenetre));
    QWidget* w = banc.fenetre;
    QVERIFY(w);
    QCOMPARE(w->screen(), cible);
    const QRect libre = cible->availableGeometry();
    QVERIFY2(libre.contains(w->frameGeometry()),
             qPrintable(QDebug::toString(w->frameGeometry()) + " on " + QDebug::toString(libre)));
    QVERIFY2(w->width() >= w->minimumSizeHint().width() &&
                 w->height() >= w->minimumSizeHint().height(),
             qPrintable(QDebug::toString(w->size()) + " below " +
                        QDebug::toString(w->minimumSizeHint())));
    const QString faute = horsDePlace(w);
    QVERIFY2(faute.isEmpty(), qPrintable(faute));
    if (Fenetre(fenetre) == Fenetre::Chasse_Moulins) {
        // Beside the clock and the entry fields: the spots and the QSO being
        // typed both in sight, every column of the spots whole.
        QWidget* saisie = banc.main->zoneDeSaisie();
        const QRect champs(banc.main->frameGeometry().topLeft(),
                           saisie->mapToGlobal(QPoint(saisie->width(), saisie->height())));
        QVERIFY2(
            !w->frameGeometry().intersects(champs),
            qPrintable(QDebug::toString(w->frameGeometry()) + " over " + QDebug::toString(champs)));
        auto* spots = w->findChild<QTreeView*>(QStringLiteral("Liste_Spots"));
        QVERIFY2(spots->header()->length() <= spots->viewport()->width(),
                 qPrintable(QStringLiteral("%1 > %2")
                                .arg(spots->header()->length())
                                .arg(spots->viewport()->width())));
    }
}

void TestEcrans::fenetreEtroiteChampsSurDeuxRangs_data()
{
    QTest::addColumn<int>("largeur"); // 0: as narrow as the window goes
    QTest::addColumn<bool>("deuxRangs");
    QTest::newRow("narrowest") << 0 << true;
    QTest::newRow("1400 wide") << 1400 << false;
}

void TestEcrans::fenetreEtroiteChampsSurDeuxRangs()
{
    QFETCH(int, largeur);
    QFETCH(bool, deuxRangs);
    Banc banc(ecran(QString::fromLatin1(kEcrans[2].nom)), Fenetre::Main);
    banc.main->resize(largeur ? largeur : banc.main->minimumSizeHint().width(), 700);
    QApplication::processEvents();
    ZoneSaisie* z = banc.main->zoneDeSaisie();
    QCOMPARE(z->enDeuxRangs(), deuxRangs);
    const QString faute = horsDePlace(banc.main.get());
    QVERIFY2(faute.isEmpty(), qPrintable(faute));
    // Read row by row, the fields keep their order; the mode starts the
    // second row when there are two.
    const QList<QWidget*> champs = z->champsDansLOrdre();
    for (int i = 1; i < champs.size(); ++i) {
        const QPoint avant = champs[i - 1]->mapTo(z, champs[i - 1]->rect().center());
        const QPoint apres = champs[i]->mapTo(z, champs[i]->rect().center());
        const bool nouveauRang = deuxRangs && champs[i] == z->Mode_A;
        QVERIFY2(nouveauRang ? apres.y() > avant.y() + 16 && apres.x() < avant.x()
                             : qAbs(apres.y() - avant.y()) < 8 && apres.x() > avant.x(),
                 qPrintable(champs[i]->objectName()));
    }
    // Tab goes through the fields in entry order, then the buttons, as it did.
    QList<QWidget*> ordre = champs;
    ordre << z->Valide_A << z->Efface_A << z->Annule_Saisie << z->Ajout_QSO << z->Rechercher
          << z->Command1;
    QWidget* w = ordre.first();
    for (int i = 1; i < ordre.size(); ++i) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !ordre.contains(w))
            w = w->nextInFocusChain();
        QCOMPARE(w, ordre[i]);
    }
    // The list takes the height left below the entry frame, and keeps the
    // selected last line in sight.
    ListeLog* liste = banc.main->listeLog();
    QApplication::processEvents();
    QTreeView* vue = liste->Liste_KZT;
    QCOMPARE(vue->currentIndex().row(), liste->nombreLignes() - 1);
    const QRect derniere = vue->visualRect(vue->currentIndex());
    QVERIFY(derniere.top() >= 0 && derniere.bottom() < vue->viewport()->height());
    QCOMPARE(liste->mapTo(banc.main.get(), QPoint(0, liste->height())).y(),
             banc.main->centralWidget()->geometry().bottom() + 1 -
                 banc.main->centralWidget()->layout()->contentsMargins().bottom());
}

void TestEcrans::carteNetteATouteEchelle_data()
{
    QTest::addColumn<QString>("ecran");
    QTest::addColumn<qreal>("densite");
    for (const Ecran& e : kEcrans)
        QTest::newRow(e.nom) << QString::fromLatin1(e.nom) << e.ppp / 96.0;
}

void TestEcrans::carteNetteATouteEchelle()
{
    QFETCH(QString, ecran);
    QFETCH(qreal, densite);
    Banc banc(::ecran(ecran), Fenetre::Carte_Acti_KZT);
    auto* carte = qobject_cast<Carte_Acti_KZT*>(banc.fenetre);
    QVERIFY(carte);
    // One pixel of the picture to one pixel of the screen.
    const QPixmap p = carte->Picture1->pixmap();
    QCOMPARE(p.devicePixelRatio(), densite);
    QCOMPARE(
        p.size(),
        (QSizeF(Carte_Acti_KZT::largeurCarte, Carte_Acti_KZT::hauteurCarte) * densite).toSize());
    QCOMPARE(p.deviceIndependentSize().toSize(),
             QSize(Carte_Acti_KZT::largeurCarte, Carte_Acti_KZT::hauteurCarte));
    // The boxes stay where the picture has their departments.
    QCOMPARE(carte->Dep[77]->pos(),
             CarteDepartements::positionCase(77) + carte->Picture1->contentsRect().topLeft());
}

// The print preview fits the free area of the screen it opens on, with its
// whole tool bar in sight (the print button last) and the page fitted to the
// width at a readable size; F1 in it shows its section of the help.
void TestEcrans::apercuEntierSurLEcran_data()
{
    QTest::addColumn<QString>("ecran");
    for (const Ecran& e : kEcrans)
        QTest::newRow(e.nom) << QString::fromLatin1(e.nom);
}

void TestEcrans::apercuEntierSurLEcran()
{
    QFETCH(QString, ecran);
    QScreen* cible = ::ecran(ecran);
    QVERIFY(cible);
    Banc banc(cible, Fenetre::Aff_Contacte);
    auto* liste = qobject_cast<Aff_Contacte*>(banc.fenetre);
    QVERIFY(liste);
    liste->Afficher->click();
    QVERIFY(!liste->lignesListe().isEmpty());

    QTemporaryDir dossier;
    ImprimantePdf pdf(dossier.filePath(QStringLiteral("apercu.pdf")));
    pdf.annuleApercu(true);
    QStringList fautes;
    pdf.surApercu([&](QPrintPreviewDialog& apercu) {
        if (!QTest::qWaitForWindowExposed(&apercu)) {
            fautes << QStringLiteral("preview not shown");
            return;
        }
        QApplication::processEvents();
        if (apercu.screen() != cible)
            fautes << QStringLiteral("on screen %1").arg(apercu.screen()->name());
        const QRect libre = cible->availableGeometry();
        if (!libre.contains(apercu.frameGeometry()))
            fautes << QDebug::toString(apercu.frameGeometry()) + " beyond " +
                          QDebug::toString(libre);
        auto* outils = apercu.findChild<QToolBar*>();
        if (!outils)
            return void(fautes << QStringLiteral("no tool bar"));
        for (QAction* a : outils->actions()) {
            QWidget* bouton = outils->widgetForAction(a);
            if (!a->isSeparator() && (!bouton || !bouton->isVisible()))
                fautes << QStringLiteral("tool bar item %1 hidden").arg(a->text());
        }
        auto* pages = apercu.findChild<QPrintPreviewWidget*>();
        if (!pages)
            return void(fautes << QStringLiteral("no page"));
        if (pages->zoomMode() != QPrintPreviewWidget::FitToWidth)
            fautes << QStringLiteral("page not fitted to the width");
        if (pages->zoomFactor() < 0.9)
            fautes << QStringLiteral("page at %1 %").arg(qRound(pages->zoomFactor() * 100));
        QTest::keyClick(&apercu, Qt::Key_F1);
        Aide* aide = Aide::ouverte();
        if (!aide || aide->Texte_Aide->source().fragment() != apercu.objectName())
            fautes << QStringLiteral("F1 does not show the preview's help");
        if (aide)
            aide->close();
    });
    liste->changeImprimante(&pdf);
    liste->Imprimer->click();
    QCOMPARE(pdf.travaux(), 1);
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join(QStringLiteral("; "))));
}

// The column titles of the main list, of the search results and of the list
// of windmills stand over their columns, at every scale: the label's titles
// are drawn where the list draws the same text at those columns.
void TestEcrans::titresAuDessusDesColonnes_data()
{
    QTest::addColumn<QString>("ecran");
    QTest::addColumn<int>("fenetre");
    for (const Ecran& e : kEcrans) {
        for (Fenetre f : {Fenetre::Main, Fenetre::Recherche_Indicatif, Fenetre::Aff_Contacte}) {
            const char* nom = f == Fenetre::Main                  ? "main list"
                              : f == Fenetre::Recherche_Indicatif ? "search results"
                                                                  : "windmills contacted";
            QTest::addRow("%s %s", nom, e.nom) << QString::fromLatin1(e.nom) << int(f);
        }
    }
}

void TestEcrans::titresAuDessusDesColonnes()
{
    QFETCH(QString, ecran);
    QFETCH(int, fenetre);
    Banc banc(::ecran(ecran), Fenetre(fenetre));
    QVERIFY(banc.fenetre);
    QString faute;
    switch (Fenetre(fenetre)) {
    case Fenetre::Main:
        faute = titresDecales(banc.main->listeLog()->Label_Liste, banc.main->listeLog()->Liste_KZT,
                              Affichage::titresListe);
        break;
    case Fenetre::Recherche_Indicatif: {
        auto* w = qobject_cast<Recherche_Indicatif*>(banc.fenetre);
        faute = titresDecales(w->Label13, w->QSO_Effectues, Recherche::titresResultats);
        break;
    }
    default: {
        auto* w = qobject_cast<Aff_Contacte*>(banc.fenetre);
        faute = titresDecales(w->Label2, w->Liste_KZT_Contacte, MoulinsContactes::titresListe);
        break;
    }
    }
    QVERIFY2(faute.isEmpty(), qPrintable(faute));
}

// F1 in a window opens the help at that window's own section, in sight.
void TestEcrans::f1MontreLaSectionDeLaFenetre_data()
{
    QTest::addColumn<int>("fenetre");
    for (const auto& [nom, f] : kFenetres) {
        if (f != Fenetre::Aide)
            QTest::newRow(nom) << int(f);
    }
}

void TestEcrans::f1MontreLaSectionDeLaFenetre()
{
    QFETCH(int, fenetre);
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre(fenetre));
    QWidget* w = banc.fenetre;
    QVERIFY(w);
    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F1);
    Aide* aide = Aide::ouverte();
    QVERIFY(aide && aide->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(aide));
    QApplication::processEvents();
    QTextBrowser* texte = aide->Texte_Aide;
    QCOMPARE(texte->source().fragment(), w->objectName());

    // The anchor is in the page, once, and its place is in sight.
    QTextDocument* page = texte->document();
    QList<QTextBlock> blocs;
    for (QTextBlock bloc = page->begin(); bloc.isValid(); bloc = bloc.next()) {
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(w->objectName()))
                blocs.append(bloc);
        }
    }
    QCOMPARE(blocs.size(), 1);
    const qreal haut = page->documentLayout()->blockBoundingRect(blocs.first()).top();
    const int vu = texte->verticalScrollBar()->value();
    QVERIFY2(haut >= vu && haut < vu + texte->viewport()->height(),
             qPrintable(QStringLiteral("%1 not within %2 + %3")
                            .arg(haut)
                            .arg(vu)
                            .arg(texte->viewport()->height())));
}

int main(int argc, char* argv[])
{
    return executeSurTroisEcrans<TestEcrans>(argc, argv);
}

#include "tst_ecrans.moc"
