#pragma once

#include "core/log/CopieSecurite.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class FilDeTravail;
class Horloge;
class StockReglages;

// The second copy as the program makes it: on a worker thread, never on the
// windows' thread, in the folder of section [Copie] of the settings; the
// date and result of the last copy kept there too. At the program's end a
// copy is made when the logs changed or the last one is old enough; the end
// waits for it within a bound, past which the copy is abandoned, marked so
// that the next start says it once.
class CopieEnFond : public QObject {
    Q_OBJECT
public:
    static inline const QString section = QStringLiteral("Copie");
    static inline const QString cleDossier = QStringLiteral("Dossier");
    static inline const QString cleDerniere = QStringLiteral("Derniere");
    static inline const QString cleResultat = QStringLiteral("Resultat");
    static inline const QString cleEmpreinte = QStringLiteral("Empreinte");
    static inline const QString cleInachevee = QStringLiteral("Inachevee");
    // The end waits that long for its copy (ms).
    static constexpr int borneFin = 5000;
    // At the end, no new copy within that many seconds of the last one,
    // when no log changed since.
    static constexpr int intervalleFin = 10 * 60;

    // What makes a copy; the default one is CopieSecurite's.
    using Copieur = std::function<Statut(const QString& destination, const QDateTime& moment,
                                         const std::atomic<bool>* abandon, QString* nomCopie)>;

    CopieEnFond(const QString& dossierProgramme, StockReglages& reglages, const Horloge& horloge,
                QObject* parent = nullptr);
    ~CopieEnFond() override;

    QString dossier() const;
    void changeDossier(const QString& dossier);
    void changeCopieur(Copieur copieur) { m_copieur = std::move(copieur); }

    // The last copy, as the operator reads it: its date, and what came of it.
    QString derniere() const;
    QString resultat() const;
    bool enCours() const { return m_etat != nullptr; }

    // Starts a copy on the worker, unless one runs already or no folder is
    // set; `terminee` gives its result.
    bool lance();

    // The end's copy: made when a folder is set, unless the last one is less
    // than intervalleFin old and no log changed since; waited for at most
    // `borne` ms (a copy already running too). Past the bound it is
    // abandoned and marked unfinished. The failure, if any, is returned.
    Statut copieDeFin(int borne = borneFin);

    // Once, at the start: what to say when the last copy of an end did not
    // finish (empty otherwise).
    QString avisDemarrage();

Q_SIGNALS:
    void terminee(bool reussie, const QString& message);

private:
    struct Etat;
    QString empreinte() const;
    void enregistre(const Statut& fait, const QString& nom);
    void recoit();

    QString m_dossierProgramme;
    StockReglages& m_reglages;
    const Horloge& m_horloge;
    Copieur m_copieur;
    std::shared_ptr<Etat> m_etat; // the copy running, if any
    std::unique_ptr<FilDeTravail> m_fil;
};
