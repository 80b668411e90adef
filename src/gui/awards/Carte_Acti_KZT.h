#pragma once

#include "core/app/Services.h"
#include "core/awards/CarteDepartements.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// "Carte des départements contactés": the map of the departments, one box
// per department coloured by its state in the chosen band group, the number
// of departments contacted and a legend with the three counts.
class Carte_Acti_KZT : public QWidget {
    Q_OBJECT
public:
    // Size of the window's client area, and of the map picture.
    static constexpr int largeurImage = 497;
    static constexpr int hauteurImage = 636;
    static constexpr int largeurCarte = 475;
    static constexpr int hauteurCarte = 510;

    // indicatif gives the current station when the window needs it.
    Carte_Acti_KZT(const Services& services, std::function<QString()> indicatif,
                   QWidget* parent = nullptr);

    QFrame* Frame1;
    QLabel* NB_Dep;
    QLabel* Label5;
    QLabel* Bande_Carte;
    QLabel* Label1;
    QComboBox* Bande_A;
    QPushButton* Afficher;
    QLabel* Picture1;
    // Boxes 0 to 99, named "Dep(0)" to "Dep(99)"; the index is the department number.
    std::array<QLabel*, CarteDepartements::nombreCases> Dep{};
    QLineEdit* Nb_Conf;
    QLineEdit* Nb_Nconf;
    QLineEdit* Nb_Ncont;

    // The state shown by a box, read back from its colour.
    CarteDepartements::Etat etatCase(int index) const;

    // What a screen reader says of a box: its department and its state.
    static QString nomPourLecteur(const QString& departement, CarteDepartements::Etat etat);
    // The map picture for a screen of that pixel density, drawn from the
    // picture made for it (1x or 2x).
    static QPixmap carte(qreal densite);

public Q_SLOTS:
    void Afficher_Click();

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    // Colours the boxes for the group and gives back the counts.
    CarteDepartements::Carte Colorie_Carte(const QString& groupe);
    void colorie(int index, unsigned rgb);

    Services m_services;
    std::function<QString()> m_indicatif;
    bool m_suitEcran = false;
};
