#pragma once

#include "core/app/Services.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

// Shown when the settings name a station whose log is not in the program
// folder. The program can only end from here, after resetting the stored
// callsign or not, so that the next start asks for a callsign again.
class Gestion_Erreur : public QDialog {
    Q_OBJECT
public:
    Gestion_Erreur(const Services& services, std::function<void()> termine,
                   QWidget* parent = nullptr);

    QLabel* Ind_Station;
    QLabel* Ind_Station1;
    QLabel* Err_Departement;
    QPushButton* Initialisation;
    QPushButton* Quitter;

public Q_SLOTS:
    void Initialisation_Click();
    void Quitter_Click();
    // Closing the window other than by "Quitter" ends the program as well.
    void reject() override;

private:
    Services m_services;
    std::function<void()> m_termine;
};
