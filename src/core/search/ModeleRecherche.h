#pragma once

#include "Recherche.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class BoiteMessage;

// The search window as plain logic: the chosen key, the text of its three
// boxes, what each box accepts, the checks made when Enter is pressed in a
// box, and the result list. The window shows this state and passes the keys
// and clicks on.
class ModeleRecherche {
public:
    // The display lines of the main list, read when a search runs.
    using Lignes = std::function<QStringList()>;

    // `montre` brings the window up to date before a message is shown, so
    // that the message is read over what led to it.
    ModeleRecherche(BoiteMessage& messages, Lignes lignes, std::function<void()> montre = {});
    // The lines of the log itself, of which a search reads only the piece of
    // its key.
    using SourceJournal = std::function<Affichage::Journal()>;
    ModeleRecherche(BoiteMessage& messages, SourceJournal journal,
                    std::function<void()> montre = {});

    // The caption of the option of a key, which also names its box in a
    // refusal: "Indicatif", "N° KZT", "Dpt".
    static QString nomCle(Recherche::Cle cle);
    // Whether a letter typed in the box of that key goes in as upper case
    // (the callsign box); the other boxes take characters as typed.
    static bool metEnMajuscules(Recherche::Cle boite);

    Recherche::Cle option() const { return m_option; }
    // A click in a box, or on an option, chooses that key.
    void choisitCle(Recherche::Cle cle) { m_option = cle; }
    const QString& texte(Recherche::Cle boite) const { return m_textes[size_t(boite)]; }
    void changeTexte(Recherche::Cle boite, const QString& texte);
    const QStringList& resultats() const { return m_resultats; }
    // How many searches have run: each one gives a new result list, even one
    // equal to the last.
    int recherches() const { return m_recherches; }

    // Enter in a box: that box's checks, then the search with the key of the
    // chosen option (whichever box Enter was pressed in).
    void toucheEntree(Recherche::Cle boite);
    void Recherche_SP();

private:
    void dit(const QString& message);
    QString& texteDe(Recherche::Cle boite) { return m_textes[size_t(boite)]; }

    BoiteMessage& m_messages;
    Lignes m_lignes;
    SourceJournal m_journal;
    std::function<void()> m_montre;
    Recherche::Cle m_option = Recherche::Cle::Indicatif;
    std::array<QString, 3> m_textes;
    QStringList m_resultats;
    int m_recherches = 0;
};
