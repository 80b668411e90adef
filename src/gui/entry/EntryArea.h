#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The frame "Saisie ou modification d'un QSO" of the main window: the QSO
// fields in the order they are filled in, the entry mode and the command
// buttons. Each control carries its name as objectName. The rules of the
// fields are bound to it from outside; this class only builds the controls
// and puts them in their design state.
class EntryArea : public QGroupBox {
    Q_OBJECT
public:
    explicit EntryArea(QWidget* parent = nullptr);

    // Fields: enabled, light green or light yellow, reports "59", the
    // buttons that need a QSO disabled.
    void Etat_Conception();

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
    QList<QWidget*> Champs() const;
};
