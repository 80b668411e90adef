#pragma once

#include "core/platform/Statut.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QPrintPreviewDialog;
class QPrinter;
class QWidget;

// The printer of the lists and QSL backs: lines of text in "Courier New"
// bold 9 points, one printed line each, a new page when a line no longer
// fits. The pages are first shown in a preview, from which the user prints
// them (choosing the printer there) or cancels. The font the printer had
// before is given back afterwards.
class Imprimante {
public:
    virtual ~Imprimante();

    struct Resultat {
        bool imprime = false; // false when the user cancelled
        Statut statut;
    };

    // Shows the preview of the lines, then prints them when the user asks.
    // An empty list prints nothing (no blank page).
    Resultat imprimeLignes(const QStringList& lignes, QWidget* parent);

    // The font the printer is left with between two jobs.
    const QFont& policeChoisie() const { return m_police; }
    void changePolice(const QFont& police) { m_police = police; }

    static QFont policeImpression();

protected:
    // Readies the printer that the preview lays the pages out for: the
    // system's default printer unless a stand-in says otherwise.
    virtual void prepare(QPrinter& imprimante);
    // Shows the preview until the user prints from it (true) or cancels
    // (false). Printing from the preview draws the pages again, on the
    // printer then chosen.
    virtual bool montre(QPrintPreviewDialog& apercu) = 0;

private:
    Statut dessine(const QStringList& lignes, QPrinter& imprimante) const;

    QFont m_police;
};

// The printers of the system (CUPS, or a PDF file): the preview window, whose
// print button opens the platform's printer-selection dialog.
class ImprimanteSysteme : public Imprimante {
protected:
    bool montre(QPrintPreviewDialog& apercu) override;
};
