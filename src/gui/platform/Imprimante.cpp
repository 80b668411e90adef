#include "Imprimante.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

Imprimante::~Imprimante() = default;

QFont Imprimante::Police_Impression()
{
    QFont police(QStringLiteral("Courier New"));
    police.setPointSizeF(9);
    police.setBold(true);
    police.setStyleHint(QFont::TypeWriter);
    police.setFixedPitch(true);
    return police;
}

Imprimante::Resultat Imprimante::Imprime(const QStringList& lignes, QWidget* parent)
{
    Resultat resultat;
    const QFont avant = m_police;
    m_police = Police_Impression();

    QPrinter imprimante(QPrinter::HighResolution);
    if (!choisit(imprimante, parent)) {
        m_police = avant;
        return resultat;
    }
    resultat.imprime = true;

    if (!lignes.isEmpty()) {
        QPainter peintre;
        if (!peintre.begin(&imprimante)) {
            resultat.status = Status::failed(
                QStringLiteral("L'impression n'a pas pu commencer sur l'imprimante « %1 ».")
                    .arg(imprimante.printerName().isEmpty() ? imprimante.outputFileName()
                                                            : imprimante.printerName()));
        } else {
            peintre.setFont(QFont(m_police, &imprimante));
            const QFontMetricsF mesure(peintre.font(), &imprimante);
            const qreal interligne = mesure.lineSpacing();
            const qreal hauteur = imprimante.pageRect(QPrinter::DevicePixel).height();
            qreal y = 0;
            for (const QString& ligne : lignes) {
                if (y > 0 && y + interligne > hauteur) {
                    imprimante.newPage();
                    y = 0;
                }
                peintre.drawText(QPointF(0, y + mesure.ascent()), ligne);
                y += interligne;
            }
            if (!peintre.end())
                resultat.status = Status::failed(QStringLiteral("L'impression a échoué."));
        }
    }

    m_police = avant;
    return resultat;
}

bool ImprimanteSysteme::choisit(QPrinter& imprimante, QWidget* parent)
{
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogue.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialogue.exec() == QDialog::Accepted;
}
