#include "ModeleRecherche.h"

#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"

using Recherche::Cle;

ModeleRecherche::ModeleRecherche(BoiteMessage& messages, Lignes lignes,
                                 std::function<void()> montre)
    : m_messages(messages), m_lignes(std::move(lignes)), m_montre(std::move(montre))
{
}

ModeleRecherche::ModeleRecherche(BoiteMessage& messages, SourceJournal journal,
                                 std::function<void()> montre)
    : m_messages(messages), m_journal(std::move(journal)), m_montre(std::move(montre))
{
}

QString ModeleRecherche::nomCle(Cle cle)
{
    switch (cle) {
    case Cle::Reference:
        return QStringLiteral("N° KZT");
    case Cle::Departement:
        return QStringLiteral("Dpt");
    case Cle::Indicatif:
        break;
    }
    return QStringLiteral("Indicatif");
}

bool ModeleRecherche::metEnMajuscules(Cle boite)
{
    return boite == Cle::Indicatif;
}

void ModeleRecherche::changeTexte(Cle boite, const QString& texte)
{
    texteDe(boite) = texte;
}

void ModeleRecherche::dit(const QString& message)
{
    if (m_montre)
        m_montre();
    m_messages.avise(message);
}

void ModeleRecherche::toucheEntree(Cle boite)
{
    QString& texte = texteDe(boite);
    const QString controle = Texte::messageControle(nomCle(boite), texte);
    if (!controle.isEmpty())
        return dit(controle);

    switch (boite) {
    case Cle::Indicatif:
        // Too long is said, and the search runs all the same.
        if (texte.size() > 12)
            dit(QStringLiteral("12 caracteres maxi pour l'indicatif"));
        if (texte.isEmpty()) {
            dit(QStringLiteral("Entrez un indicatif"));
            texte.clear();
            return;
        }
        break;
    case Cle::Reference:
        if (texte.size() != 5)
            return dit(QStringLiteral("5 caracteres maxi pour la référence ex: 77121"));
        break;
    case Cle::Departement:
        // The entry stores departments in lower case.
        texte = texte.toLower();
        if (texte.size() > 2)
            return dit(QStringLiteral("2 caracteres maxi pour le département"));
        if (texte.isEmpty()) {
            dit(QStringLiteral("Entrez un Canton"));
            texte.clear();
            return;
        }
        break;
    }
    Recherche_SP();
}

void ModeleRecherche::Recherche_SP()
{
    m_resultats.clear();
    ++m_recherches;
    QString& source = texteDe(m_option);
    source = Recherche::sansCrLf(source);

    const Recherche::Resultat r =
        m_journal
            ? Recherche::Recherche_SP(m_option, source, m_journal())
            : Recherche::Recherche_SP(m_option, source, m_lignes ? m_lignes() : QStringList());
    m_resultats = r.lignes;
    if (!r.message.isEmpty())
        dit(r.message);
    if (r.videIndica)
        texteDe(Cle::Indicatif).clear();
    if (r.videBoites) {
        texteDe(Cle::Reference).clear();
        texteDe(Cle::Departement).clear();
    }
}
