#include "ImprimantePdf.h"

#include <QPageSize>
#include <QPrinter>

bool ImprimantePdf::choisit(QPrinter& imprimante, QWidget*)
{
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(m_chemin);
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    ++m_travaux;
    return true;
}
