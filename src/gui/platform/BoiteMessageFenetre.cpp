#include "BoiteMessageFenetre.h"

#include "core/platform/FichierTexte.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The lines of a message may be broken between a Windows path's drive and its
// first folder ("C:" at the end of one line, "\Users\..." on the next), which
// reads as two paths: a word joiner keeps the two together.
QString cheminsEntiers(QString texte)
{
    static const QRegularExpression lecteur(QStringLiteral("(?<![\\w])([A-Za-z]:)(?=\\\\)"));
    return texte.replace(lecteur, QStringLiteral("\\1") + QChar(0x2060));
}

} // namespace

BoiteMessage::ReponseBoite BoiteMessageFenetre::montre(const QString& texte, Boutons boutons)
{
    QWidget* parent = m_parent ? m_parent : QApplication::activeWindow();
    QMessageBox boite(parent);
    boite.setWindowTitle(QStringLiteral("RQN_KZT"));
    boite.setIcon(QMessageBox::NoIcon);
    boite.setTextFormat(Qt::PlainText);
    QString affichees = texte;
    affichees.replace(FichierTexte::finLigne, QStringLiteral("\n"));
    boite.setText(cheminsEntiers(affichees));
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
