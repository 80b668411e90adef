#include "Imprimante.h"

#include "Apparence.h"

#include <QAction>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QtMath>

namespace {

// The preview as wide as its whole tool bar (the print button last) and a
// page shown at its real size, as tall as the screen lets it, within the
// free area of the screen of the window it is opened from; the page fitted
// to the width, so that its lines are read at once.
void dimensionneApercu(QPrintPreviewDialog& apercu, QPrinter& imprimante)
{
    const QSize libre = Apparence::placeLibre(&apercu);
    int largeur = apercu.sizeHint().width();
    if (auto* outils = apercu.findChild<QToolBar*>()) {
        const QMargins bords =
            outils->parentWidget() ? outils->parentWidget()->contentsMargins() : QMargins();
        largeur = qMax(largeur, outils->sizeHint().width() + bords.left() + bords.right());
    }
    // The page at 100 %, with the room the preview keeps around it and its
    // scroll bar.
    const QScreen* ecran = Apparence::ecranDe(&apercu);
    const qreal ppp = ecran ? ecran->logicalDotsPerInchX() : 96.0;
    const qreal page = imprimante.pageLayout().fullRect(QPageLayout::Inch).width() * ppp;
    const int marges = 2 * 10 + apercu.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    largeur = qMax(largeur, qCeil(page) + marges);
    apercu.resize(QSize(largeur, libre.height()).boundedTo(libre));
    Apparence::centreFenetre(&apercu);
    if (auto* largeurPage = apercu.findChild<QAction*>(QStringLiteral("fitWidthAction"))) {
        if (!largeurPage->isChecked())
            largeurPage->trigger();
    }
}

} // namespace

Imprimante::~Imprimante() = default;

QFont Imprimante::policeImpression()
{
    QFont police(QStringLiteral("Courier New"));
    police.setPointSizeF(9);
    police.setBold(true);
    police.setStyleHint(QFont::TypeWriter);
    police.setFixedPitch(true);
    return police;
}

void Imprimante::prepare(QPrinter&) {}

Imprimante::Resultat Imprimante::imprimeLignes(const QStringList& lignes, QWidget* parent)
{
    Resultat resultat;
    const QFont avant = m_police;
    m_police = policeImpression();

    QPrinter imprimante(QPrinter::HighResolution);
    prepare(imprimante);
    QPrintPreviewDialog apercu(&imprimante, parent);
    apercu.setObjectName(QStringLiteral("Apercu_Impression"));
    apercu.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    dimensionneApercu(apercu, imprimante);
    // The preview and the print draw the same way; the status is that of the
    // last drawing, the print's when the user printed.
    Statut dernier;
    QObject::connect(&apercu, &QPrintPreviewDialog::paintRequested, &apercu,
                     [&](QPrinter* cible) { dernier = dessine(lignes, *cible); });
    resultat.imprime = montre(apercu);
    if (resultat.imprime)
        resultat.statut = dernier;

    m_police = avant;
    return resultat;
}

Statut Imprimante::dessine(const QStringList& lignes, QPrinter& imprimante) const
{
    const QFont police(m_police, &imprimante);
    const QFontMetricsF mesure(police, &imprimante);
    const qreal interligne = mesure.lineSpacing();
    const qreal hauteur = imprimante.pageRect(QPrinter::DevicePixel).height();

    // The lines of each page, then the pages chosen in the printer dialog
    // (all of them when none was chosen).
    QList<QStringList> pages;
    qreal y = 0;
    for (const QString& ligne : lignes) {
        if (pages.isEmpty() || (y > 0 && y + interligne > hauteur)) {
            pages.append(QStringList());
            y = 0;
        }
        pages.last().append(ligne);
        y += interligne;
    }
    const QPageRanges choisies =
        imprimante.printRange() == QPrinter::PageRange ? imprimante.pageRanges() : QPageRanges();
    QList<QStringList> aImprimer;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (choisies.isEmpty() || choisies.contains(int(i) + 1))
            aImprimer.append(pages.at(i));
    }
    if (aImprimer.isEmpty())
        return Statut::valide();

    QPainter peintre;
    if (!peintre.begin(&imprimante)) {
        return Statut::enEchec(
            QStringLiteral("L'impression n'a pas pu commencer sur l'imprimante « %1 ».")
                .arg(imprimante.printerName().isEmpty() ? imprimante.outputFileName()
                                                        : imprimante.printerName()));
    }
    peintre.setFont(police);
    for (qsizetype i = 0; i < aImprimer.size(); ++i) {
        if (i > 0)
            imprimante.newPage();
        qreal haut = 0;
        for (const QString& ligne : aImprimer.at(i)) {
            peintre.drawText(QPointF(0, haut + mesure.ascent()), ligne);
            haut += interligne;
        }
    }
    if (!peintre.end())
        return Statut::enEchec(QStringLiteral("L'impression a échoué."));
    return Statut::valide();
}

bool ImprimanteSysteme::montre(QPrintPreviewDialog& apercu)
{
    return apercu.exec() == QDialog::Accepted;
}
