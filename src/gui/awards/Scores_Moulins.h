#pragma once

#include "core/app/Services.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// "Scores des diplomes KZT": QSOs and confirmed QSOs in each band group,
// counted from the log when the window opens.
class Scores_Moulins : public QWidget {
    Q_OBJECT
public:
    Scores_Moulins(const Services& services, const QString& indicatif, QWidget* parent = nullptr);

    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLineEdit* HF_CT;
    QLineEdit* HF_CF;
    QLineEdit* VHF_CT;
    QLineEdit* VHF_CF;
    QLineEdit* UHF_CT;
    QLineEdit* UHF_CF;
};
