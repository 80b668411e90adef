#include "ImprimantePdf.h"

#include <QPageRanges>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

void ImprimantePdf::prepare(QPrinter& imprimante)
{
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(m_chemin);
    imprimante.setPageSize(QPageSize(QPageSize::A4));
}

bool ImprimantePdf::montre(QPrintPreviewDialog& apercu)
{
    ++m_travaux;
    apercu.show();
    if (m_surApercu)
        m_surApercu(apercu);
    auto* pages = apercu.findChild<QPrintPreviewWidget*>();
    m_pagesApercu = pages ? pages->pageCount() : -1;
    if (m_annule || !pages) {
        apercu.reject();
        return false;
    }
    if (m_de > 0) {
        QPageRanges choisies;
        choisies.addRange(m_de, m_a);
        apercu.printer()->setPrintRange(QPrinter::PageRange);
        apercu.printer()->setPageRanges(choisies);
    }
    pages->print();
    apercu.accept();
    return true;
}
