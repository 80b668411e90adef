#pragma once

#include <QWidget>

class ChoixFichier;
class CopieEnFond;
class QLabel;
class QLineEdit;
class QPushButton;

// "Copie de sécurité": the folder of the second copy (a USB stick, a
// network share, a folder a sync client copies elsewhere), a copy made at
// once, and the date and result of the last one. The copy runs on the
// worker of CopieEnFond; the window shows its result when it arrives.
class Copie_Securite : public QWidget {
    Q_OBJECT
public:
    Copie_Securite(CopieEnFond& copie, ChoixFichier*& choix, QWidget* parent = nullptr);
    ~Copie_Securite() override;

    QLineEdit* Dossier_Copie;
    QPushButton* Choisir;
    QPushButton* Copier;
    QLabel* Derniere_Copie;
    QLabel* Resultat_Copie;
    QPushButton* Fermer;

protected:
    // A folder typed and left without Enter is kept all the same.
    void closeEvent(QCloseEvent* evenement) override;

private:
    void Choisir_Click();
    void Copier_Click();
    bool enregistreDossier();
    void afficheDerniere();

    CopieEnFond& m_copie;
    ChoixFichier*& m_choix;
};
