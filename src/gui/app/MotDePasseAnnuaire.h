#pragma once

#include <QDialog>

class QLineEdit;

// The password of the online callbook, asked once for the session where no
// keychain of the system answers: "Annuaire en ligne", the password field
// focused, Enter to confirm.
class MotDePasseAnnuaire : public QDialog {
    Q_OBJECT
public:
    MotDePasseAnnuaire(const QString& texte, QWidget* parent = nullptr);

    QLineEdit* Mot_De_Passe;
};
