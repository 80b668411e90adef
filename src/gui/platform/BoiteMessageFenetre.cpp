#include "BoiteMessageFenetre.h"

#include "core/platform/FichierTexte.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

BoiteMessage::ReponseBoite BoiteMessageFenetre::montre(const QString& texte, Boutons boutons)
{
    QWidget* parent = m_parent ? m_parent : QApplication::activeWindow();
    QMessageBox boite(parent);
    boite.setWindowTitle(QStringLiteral("RQN_KZT"));
    boite.setIcon(QMessageBox::NoIcon);
    boite.setTextFormat(Qt::PlainText);
    QString affichees = texte;
    affichees.replace(FichierTexte::finLigne, QStringLiteral("\n"));
    boite.setText(affichees);
    if (boutons == OuiNon) {
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        boite.setDefaultButton(QMessageBox::Yes);
        boite.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        boite.button(QMessageBox::No)->setText(QStringLiteral("Non"));
    } else {
        boite.setStandardButtons(QMessageBox::Ok);
    }
    const int reponse = boite.exec();
    if (boutons == OuiNon)
        return reponse == QMessageBox::Yes ? ReponseOui : ReponseNon;
    return ReponseOk;
}
