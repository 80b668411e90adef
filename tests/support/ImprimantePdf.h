#pragma once

#include "gui/platform/Imprimante.h"

#include <functional>

// A PDF file on A4 paper, without a dialog. The pages go through the real
// preview window, as the user sees them, and are printed from it, as its
// print button does once the printer is chosen; or the preview is closed
// without printing.
class ImprimantePdf : public Imprimante {
public:
    explicit ImprimantePdf(const QString& chemin) : m_chemin(chemin) {}
    // Previews shown.
    int travaux() const { return m_travaux; }
    // Pages of the last preview.
    int pagesApercu() const { return m_pagesApercu; }
    // The user closes the next previews without printing.
    void annuleApercu(bool annule) { m_annule = annule; }
    // Runs on each preview while it is shown, before it is printed or closed.
    void surApercu(std::function<void(QPrintPreviewDialog&)> action)
    {
        m_surApercu = std::move(action);
    }
    // The pages the user chooses in the printer dialog (from 1).
    void choisitPages(int de, int a)
    {
        m_de = de;
        m_a = a;
    }

protected:
    void prepare(QPrinter& imprimante) override;
    bool montre(QPrintPreviewDialog& apercu) override;

private:
    QString m_chemin;
    int m_travaux = 0;
    int m_pagesApercu = -1;
    bool m_annule = false;
    int m_de = 0;
    int m_a = 0;
    std::function<void(QPrintPreviewDialog&)> m_surApercu;
};
