#include "BoiteMessageFenetre.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

BoiteMessage::ReponseBoite BoiteMessageFenetre::show(const QString& text, Boutons buttons)
{
    QWidget* parent = m_parent ? m_parent : QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("RQN_KZT"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    if (buttons == OuiNon) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (buttons == OuiNon)
        return answer == QMessageBox::Yes ? ReponseOui : ReponseNon;
    return ReponseOk;
}
