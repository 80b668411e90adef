#include "MotDePasseAnnuaire.h"

#include "gui/platform/Apparence.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

MotDePasseAnnuaire::MotDePasseAnnuaire(const QString& texte, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Annuaire_En_Ligne"));
    Apparence::clavier(this);
    setWindowTitle(QStringLiteral("Annuaire en ligne"));
    setAccessibleName(windowTitle());
    auto* explication = Apparence::etiquette(this, "Explication_Mot_De_Passe", texte);
    explication->setWordWrap(true);
    Mot_De_Passe = Apparence::nomme(new QLineEdit(this), "Mot_De_Passe");
    Mot_De_Passe->setEchoMode(QLineEdit::Password);
    Mot_De_Passe->setAccessibleName(QStringLiteral("Mot de passe"));
    Mot_De_Passe->setMinimumWidth(Mot_De_Passe->fontMetrics().averageCharWidth() * 30);
    explication->setBuddy(Mot_De_Passe);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Valider"));
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(explication);
    colonne->addWidget(Mot_De_Passe);
    colonne->addWidget(boutons);
    Mot_De_Passe->setFocus();
    adjustSize();
    Apparence::centreFenetre(this);
}
