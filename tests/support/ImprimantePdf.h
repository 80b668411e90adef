#pragma once

#include "gui/platform/Imprimante.h"

// A PDF file on A4 paper, without a dialog.
class ImprimantePdf : public Imprimante {
public:
    explicit ImprimantePdf(const QString& chemin) : m_chemin(chemin) {}
    int Travaux() const { return m_travaux; }

protected:
    bool choisit(QPrinter& imprimante, QWidget* parent) override;

private:
    QString m_chemin;
    int m_travaux = 0;
};
