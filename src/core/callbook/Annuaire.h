#pragma once

#include "ReglagesAnnuaire.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class FilDeTravail;
class RequetesAnnuaire;

// The online callbook of the entry: the first name of a station that the
// first-name memory does not know. The requests run on a worker thread of
// their own; this object, on the windows' thread, only sends orders and
// receives answers, so that no key ever waits for the network. An answer
// later than the bound (3 s) is dropped. The answers of the session, "not
// found" included, are kept and given again at once. After a refused user
// name or password nothing more is asked until the settings change.
class Annuaire : public QObject {
    Q_OBJECT
public:
    static constexpr int borneMs = 3000;
    // The most of an answer read; the rest is refused.
    static constexpr qint64 tailleMax = 64 * 1024;
    static inline const QString refus =
        QStringLiteral("Annuaire : identifiant ou mot de passe refusé");

    explicit Annuaire(QObject* parent = nullptr);
    ~Annuaire() override;

    // New settings and password: the session, the answers kept and the
    // refusal are forgotten. Tests shorten the bound.
    void configure(const ReglagesAnnuaire& reglages, const QString& motDePasse,
                   int borne = borneMs);
    const ReglagesAnnuaire& reglages() const { return m_reglages; }
    // Whether the settings name a service that can be asked.
    bool actif() const;

    // Asks for the first name of the callsign: prenomTrouve() if the
    // callbook has one. False when nothing is asked (no service, refused).
    bool cherche(const QString& indicatif);
    // Logs in and looks the callsign up, as the settings window's "Tester"
    // does: testTermine() says how it went.
    void teste(const QString& indicatif);

Q_SIGNALS:
    // The first name as the log keeps it (upper case, 15 characters).
    void prenomTrouve(const QString& indicatif, const QString& prenom);
    // For the status line, each kind of failure once until the settings change.
    void message(const QString& texte);
    void testTermine(bool reussi, const QString& texte);
    // A look-up has its answer, whatever it is (given by the other signals).
    void repondu(const QString& indicatif);

private:
    void recoit(int numero, const QString& indicatif, int genre, const QString& prenom,
                const QString& detail);
    void dit(const QString& texte);

    struct Demande {
        QString indicatif;
        QElapsedTimer depuis;
        bool test = false;
    };
    ReglagesAnnuaire m_reglages;
    int m_borne = borneMs;
    bool m_refuse = false;
    int m_numero = 0;
    QHash<int, Demande> m_enCours;
    QHash<QString, QString> m_connus; // callsign -> first name ("" when none)
    QSet<QString> m_dits;
    RequetesAnnuaire* m_requetes;
    std::unique_ptr<FilDeTravail> m_fil;
};
