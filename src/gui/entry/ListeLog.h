#pragma once

#include "core/log/Affichage.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QTreeView;
class QScrollArea;

// The log list of the main window and its column titles, in the container
// `L_Communes`: one display line per QSO, in file order, in a fixed-pitch
// font so that the columns stand under their titles. A model/view list, so
// that tens of thousands of lines load and scroll at once.
class ListeLog : public QWidget {
    Q_OBJECT
public:
    static inline const QString titresListe = QStringLiteral(
        "     N°   Indicatif           Dpt   Prenom                Ref       Date       QTR  Mode  "
        " QRG  RSTR RSTE        Mom du Moulin                QSL");

    explicit ListeLog(QWidget* parent = nullptr);

    void remplitListe(Affichage::Journal lignes);
    void videListe();
    int nombreLignes() const;
    QString texteLigne(int index) const;
    // The lines shown, for the searches.
    const Affichage::Journal& journalAffiche() const;
    int indexSelection() const; // -1 when no line is selected

    // Selects the line as a click would, and shows it: the listeners are told
    // once, even when the line was already the selected one. An index outside
    // the list clears the selection and tells nobody.
    void selectionne(int index);
    void selectionneDerniere();

    // While a QSO of the list is being edited, clicks and keys on the list
    // change nothing, not even the highlighted line.
    void verrouille(bool verrouillee) { m_verrouillee = verrouillee; }

    QTreeView* Liste_KZT;
    QLabel* Label_Liste;

Q_SIGNALS:
    // A line became the selected one, by a click or by the program.
    void aChoisiLigne(int index);
    void ligneDoubleCliquee(int index);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    class Modele;
    Modele* m_modele;
    int m_ligneAvantClic = -1;
    bool m_verrouillee = false;
    bool m_selectionEnCours = false;
    QScrollArea* m_titres;
};
