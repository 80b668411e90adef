#pragma once

#include "core/app/Services.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class VueWeb;

// The DX-cluster spot list of a band. The band last shown is remembered per
// station and shown again at the next opening.
class Cluster : public QWidget {
    Q_OBJECT
public:
    // indicatif gives the current station each time the band is stored, so
    // that a change of station while the window is open is followed.
    Cluster(const Services& services, std::function<QString()> indicatif,
            QWidget* parent = nullptr);

    // Opens the window, or brings forward the one already open.
    static Cluster* ouvreFenetre(const Services& services, std::function<QString()> indicatif,
                                 QWidget* parent = nullptr);

    VueWeb* WebBrowser1;
    QComboBox* Bande_CL;
    QPushButton* Afficher;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QFrame* Frame1;

public Q_SLOTS:
    // Shows the page of the chosen band and remembers the choice.
    void Afficher_Click();

private:
    Services m_services;
    std::function<QString()> m_indicatif;
    bool m_siteRefuseSignale = false;
};
