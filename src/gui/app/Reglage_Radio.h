#pragma once

#include "core/radio/Radio.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class StockReglages;

// "Réglage de la radio": the model from hamlib's list, its port, speed and
// polling interval, a test of these settings and their saving. Saved
// settings are read again by the radio at once.
class Reglage_Radio : public QWidget {
    Q_OBJECT
public:
    Reglage_Radio(StockReglages& reglages, Radio& radio, QWidget* parent = nullptr);

    // The settings as the window shows them.
    ReglagesRadio reglagesAffiches() const;

    QComboBox* Modele_Radio;
    QLineEdit* Port_Radio;
    QComboBox* Vitesse_Radio;
    QSpinBox* Intervalle_Radio;
    QPushButton* Tester;
    QPushButton* Enregistrer;
    QLabel* Resultat_Radio;

private:
    void remplitModeles(const QList<Radio::Modele>& modeles);
    void modeleChoisi();
    void Tester_Click();
    void Enregistrer_Click();

    StockReglages& m_reglages;
    Radio& m_radio;
    QList<Radio::Modele> m_modeles;
};
