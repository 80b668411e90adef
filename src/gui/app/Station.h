#pragma once

#include "core/app/ModeleStation.h"
#include "core/app/Services.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Choice of the station callsign. The callsign is typed in upper case with
// "_" in place of "/"; "Validez" hands it to the ModeleStation, which checks
// it, creates the station's log when there is none (an existing log is kept
// as it is), stores it and tells the main window, which reloads for that
// station.
class Station : public QDialog {
    Q_OBJECT
public:
    static constexpr int longueurMaxi = ModeleStation::longueurMaxi;

    explicit Station(const Services& services);

    // The rules behind the window; the window that opens it connects their
    // signals, then loads them (ModeleStation::chargeStation).
    ModeleStation& modele() { return m_modele; }

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
    ModeleStation m_modele;
};
