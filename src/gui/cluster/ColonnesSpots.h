#pragma once

#include <QObject>

#include <array>

class QTreeView;

// The columns of the list of spots, sized to what they show: each as wide as
// its longest usual text, the comment taking the room left. On a narrow
// window the status gives up room first, down to "Nouveau département", then
// the comment down to a windmill reference: no column goes beyond the list.
// Each text too long for its column is whole in its tip.
class ColonnesSpots : public QObject {
    Q_OBJECT
public:
    // Sizes the columns of the list, and again each time the list changes
    // size.
    explicit ColonnesSpots(QTreeView* liste);

    // The columns sized to the list's width.
    void ajuste();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QTreeView* m_liste;
    QObject* m_vue;                   // the list's port, whose size is watched
    std::array<int, 11> m_largeurs{}; // each column's usual width
    int m_etatMin = 0;                // the status at its narrowest
    int m_commentaireMin = 0;         // the comment at its narrowest
};
