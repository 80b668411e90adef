#pragma once

#include "EntryModel.h"

#include <QObject>

#include <array>
#include <functional>

class EntryArea;
class LogList;
class QWidget;

// Binds the entry area and the log list of the main window to the entry
// rules: keys and clicks go to the model, and the model's state (texts,
// enabled fields, colours, focus, entry mode) comes back to the widgets.
class EntryBinding : public QObject, public EntryHost {
    Q_OBJECT
public:
    // What the main window tells the entry area.
    struct Fenetre {
        std::function<QString()> indicatif;
        std::function<bool()> dateAuto;
        std::function<QString()> label33;
        std::function<QString()> label37;
        std::function<void()> rechargeListe; // reload the list, last line selected
    };

    EntryBinding(EntryArea& zone, LogList& liste, const QString& dossier, SettingsStore& reglages,
                 MessageBox& messages, Fenetre fenetre, QObject* parent = nullptr);

    EntryModel& modele() { return m_modele; }
    // Runs an action of the model on the state the user left in the widgets,
    // then shows the outcome.
    void agit(const std::function<void()>& action);

    // EntryHost
    QString Indicatif_Courant() const override { return m_fenetre.indicatif(); }
    bool Date_Auto() const override { return m_fenetre.dateAuto(); }
    QString Label33() const override { return m_fenetre.label33(); }
    QString Label37() const override { return m_fenetre.label37(); }
    void Recharge_Liste() override;
    void Selectionne_Derniere() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void lit();
    void montre();
    void ligneChoisie(int index);
    int controle(QObject* objet) const;

    EntryArea& m_zone;
    LogList& m_liste;
    Fenetre m_fenetre;
    EntryModel m_modele;
    std::array<QWidget*, EntryModel::Nombre_Controles> m_widgets{};
    bool m_dansModele = false;
};
