#pragma once

#include "core/app/Services.h"
#include "core/entry/ModeleSaisie.h"

#include <QObject>

#include <array>
#include <functional>

class ZoneSaisie;
class ListeLog;
class QWidget;

// Binds the entry area and the log list of the main window to the entry
// rules: keys and clicks go to the model, and the model's state (texts,
// enabled fields, colours, focus, entry mode) comes back to the widgets. The
// main window connects to the model's signals itself.
class LiaisonSaisie : public QObject {
    Q_OBJECT
public:
    LiaisonSaisie(ZoneSaisie& zone, ListeLog& liste, const Services& services,
                  QObject* parent = nullptr);

    ModeleSaisie& modele() { return m_modele; }
    // Runs an action of the model on the state the user left in the widgets,
    // then shows the outcome.
    void agit(const std::function<void()>& action);
    // The radio's band and mode, list indexes (-1: unchanged), given to the
    // entry area; false when it refused one of them (a QSO of the list is
    // being edited or inserted). A band or mode being typed stays as typed:
    // the radio's comes at the next reset of the entry, or when the field is
    // left unchanged.
    bool choixRadio(int bande, int mode);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void lit();
    void montre();
    void ligneChoisie(int index);
    int controle(QObject* objet) const;
    // The operator is typing in that combo box's text.
    bool enFrappe(int controle) const;
    // The focus left that field.
    void champQuitte(int controle);

    ZoneSaisie& m_zoneSaisie;
    ListeLog& m_liste;
    ModeleSaisie m_modele;
    std::array<QWidget*, ModeleSaisie::NombreControles> m_champs{};
    // The text of the band and the mode when the operator came into them.
    std::array<QString, ModeleSaisie::NombreControles> m_texteAuFocus{};
    bool m_dansModele = false;
};
