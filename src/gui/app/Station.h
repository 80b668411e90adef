#pragma once

#include "core/app/Services.h"
#include "core/log/StationModel.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Choice of the station callsign. The callsign is typed in upper case with
// "_" in place of "/"; "Validez" hands it to the StationModel, which checks
// it, creates the station's log when there is none (an existing log is kept
// as it is), stores it and reloads the main window for that station.
class Station : public QDialog {
    Q_OBJECT
public:
    static constexpr int Longueur_Maxi = StationModel::Longueur_Maxi;

    Station(const Services& services, StationHost& hote);

    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label5;
    QLineEdit* New_Indicatif;
    QPushButton* Validation;

public Q_SLOTS:
    void Validation_Click();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    StationModel m_modele;
};
