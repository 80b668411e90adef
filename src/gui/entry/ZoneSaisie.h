#pragma once

#include <QGroupBox>

#include <array>

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The frame "Saisie ou modification d'un QSO" of the main window: the QSO
// fields in the order they are filled in, the entry mode and the command
// buttons. Each control carries its name as objectName. The rules of the
// fields are bound to it from outside; this class only builds the controls
// and puts them in their design state.
class ZoneSaisie : public QGroupBox {
    Q_OBJECT
public:
    explicit ZoneSaisie(QWidget* parent = nullptr);

    // Fields: enabled, light green or light yellow, reports "59", the
    // buttons that need a QSO disabled.
    void etatConception();

    QLineEdit* Ind_A;
    QLineEdit* Prenom_A;
    QLineEdit* Dpt_A;
    QLineEdit* Ref_A;
    QLineEdit* Date_A;
    QLineEdit* Heure_A;
    QComboBox* Mode_A;
    QComboBox* Bande_A;
    QLineEdit* RST_A;
    QLineEdit* RSTE_A;
    QLineEdit* Rem_A;
    QCheckBox* QSL_A;

    QPushButton* Valide_A;
    QPushButton* Efface_A;
    QPushButton* Annule_Saisie;
    QPushButton* Ajout_QSO;
    QPushButton* Rechercher;
    QPushButton* Command1;

    QLabel* Label10;
    QLabel* Mode_Aff;
    QLabel* Label14;

    // The fields in entry order.
    QList<QWidget*> champsDansLOrdre() const;

    // Whether the fields stand on two rows (a narrow window) rather than one.
    bool enDeuxRangs() const { return m_deuxRangs; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void place(bool deuxRangs);

    // Each field with its caption, in entry order.
    QList<QPair<QLabel*, QWidget*>> m_colonnes;
    std::array<QGridLayout*, 2> m_rangs{};
    bool m_deuxRangs = false;
    int m_largeurUnRang = 0;
    QSize m_minimumDeuxRangs;
};
