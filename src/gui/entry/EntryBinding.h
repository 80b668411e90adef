#pragma once

#include "core/app/Services.h"
#include "core/entry/EntryModel.h"

#include <QObject>

#include <array>
#include <functional>

class EntryArea;
class LogList;
class QWidget;

// Binds the entry area and the log list of the main window to the entry
// rules: keys and clicks go to the model, and the model's state (texts,
// enabled fields, colours, focus, entry mode) comes back to the widgets. The
// main window connects to the model's signals itself.
class EntryBinding : public QObject {
    Q_OBJECT
public:
    EntryBinding(EntryArea& zone, LogList& liste, const Services& services,
                 QObject* parent = nullptr);

    EntryModel& modele() { return m_modele; }
    // Runs an action of the model on the state the user left in the widgets,
    // then shows the outcome.
    void agit(const std::function<void()>& action);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void lit();
    void montre();
    void ligneChoisie(int index);
    int controle(QObject* objet) const;

    EntryArea& m_zone;
    LogList& m_liste;
    EntryModel m_modele;
    std::array<QWidget*, EntryModel::Nombre_Controles> m_widgets{};
    bool m_dansModele = false;
};
