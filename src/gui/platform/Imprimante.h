#pragma once

#include "core/platform/Status.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// The printer of the lists and QSL backs: lines of text in "Courier New"
// bold 9 points, one printed line each, a new page when a line no longer
// fits. The font the printer had before is given back afterwards.
class Imprimante {
public:
    virtual ~Imprimante();

    struct Resultat {
        bool imprime = false; // false when the user cancelled the choice of printer
        Status status;
    };

    // Lets the user choose the printer, then prints the lines. An empty list
    // prints nothing (no blank page) once the printer has been chosen.
    Resultat Imprime(const QStringList& lignes, QWidget* parent);

    // The font the printer is left with between two jobs.
    const QFont& Police() const { return m_police; }
    void Change_Police(const QFont& police) { m_police = police; }

    static QFont Police_Impression();

protected:
    // The printer chosen for this job; false when the user cancelled.
    virtual bool choisit(QPrinter& imprimante, QWidget* parent) = 0;

private:
    QFont m_police;
};

// The printers of the system (CUPS, or a PDF file), through the platform's
// printer-selection dialog.
class ImprimanteSysteme : public Imprimante {
protected:
    bool choisit(QPrinter& imprimante, QWidget* parent) override;
};
