#include "TravailRadio.h"

#include "ErreurRadio.h"
#include "PosteRigctld.h"
#include "PosteRigctldLance.h"
#include "SuiviRadio.h"
#include "core/log/ModesLog.h"
#include "core/platform/Horloge.h"
#ifdef KZT_HAMLIB
#include "PosteHamlib.h"
#endif

#include <QTimer>

namespace {

std::unique_ptr<PosteRadio> nouveauPoste(const ReglagesRadio& reglages)
{
    if (reglages.liaison == ReglagesRadio::Liaison::RigctldLance)
        return std::make_unique<PosteRigctldLance>();
#ifdef KZT_HAMLIB
    if (reglages.liaison == ReglagesRadio::Liaison::Hamlib)
        return std::make_unique<PosteHamlib>();
#else
    Q_UNUSED(reglages);
#endif
    return std::make_unique<PosteRigctld>();
}

} // namespace

namespace {

// The first minute after a loss is timed by the clock given, when there is
// one (it is safe to read from this thread), otherwise by the system's.
std::function<qint64()> horlogeDe(const Horloge* horloge)
{
    if (!horloge)
        return {};
    return [horloge] { return horloge->utcMaintenant().toMSecsSinceEpoch(); };
}

} // namespace

TravailRadio::TravailRadio(const Radio::Delais& delais, const Horloge* horloge)
    : m_delais(delais), m_interrogation(new QTimer(this)),
      m_nouvelEssai(
          this, [this] { essaie(); }, horlogeDe(horloge))
{
    connect(m_interrogation, &QTimer::timeout, this, &TravailRadio::interroge);
}

TravailRadio::~TravailRadio() = default;

QString TravailRadio::defautReglages(const ReglagesRadio& reglages)
{
    if (reglages.liaison == ReglagesRadio::Liaison::Rigctld)
        return reglages.defaut(ReglagesRadio::TypePort::Reseau);
    // rigctld itself says what it lacks, once started.
    if (reglages.liaison == ReglagesRadio::Liaison::RigctldLance)
        return PosteRigctldLance::absent(reglages.dossierHamlib);
#ifdef KZT_HAMLIB
    const QString absent = PosteHamlib::absent();
    if (!absent.isEmpty())
        return absent;
    if (!PosteHamlib::connu(reglages.modele))
        return QStringLiteral("le modèle %1 est inconnu de hamlib, voir « Réglage de la radio »")
            .arg(reglages.modele);
    return reglages.defaut(PosteHamlib::typePort(reglages.modele));
#else
    return QStringLiteral("cette version lit la radio par rigctld, voir « Réglage de la radio »");
#endif
}

void TravailRadio::configure(const ReglagesRadio& reglages)
{
    ferme();
    m_nouvelEssai.annule();
    m_nouvelEssai.retablie();
    m_reglages = reglages;
    if (!reglages.avecRadio()) {
        Q_EMIT etat(false, QString());
        return;
    }
    const QString defaut = defautReglages(reglages);
    if (!defaut.isEmpty()) {
        Q_EMIT etat(false, QStringLiteral("Radio : ") + defaut);
        return;
    }
    essaie();
}

void TravailRadio::essaie()
{
    ferme();
    auto poste = nouveauPoste(m_reglages);
    QString raison;
    const int code = poste->ouvre(m_reglages, &raison);
    if (code != 0) {
        perdue(raison.isEmpty() ? ErreurRadio::raison(code) : raison);
        return;
    }
    m_poste = std::move(poste);
    m_nouvelEssai.retablie();
    m_interrogation->start(m_reglages.intervalle);
    interroge();
}

void TravailRadio::ferme()
{
    m_interrogation->stop();
    m_poste.reset();
}

void TravailRadio::interroge()
{
    if (!m_poste)
        return;
    qint64 hz = 0;
    QString mode;
    const int code = m_poste->lit(&hz, &mode);
    if (code != 0) {
        // A radio that refuses to be read is still there.
        if (ErreurRadio::estRefus(code)) {
            Q_EMIT etat(true, QString());
            Q_EMIT refus(
                QStringLiteral("Radio : lecture refusée (%1)").arg(ErreurRadio::raison(code)));
        } else {
            perdue(raisonPerte(code));
        }
        return;
    }
    Q_EMIT etat(true, QString());
    Q_EMIT lu(hz, mode);
}

void TravailRadio::perdue(const QString& raison)
{
    ferme();
    const int delai = m_nouvelEssai.perte(m_delais.reprise());
    Q_EMIT etat(false, QStringLiteral("Radio non connectée : %1 (nouvel essai dans %2 s)")
                           .arg(raison)
                           .arg((delai + 999) / 1000));
}

void TravailRadio::accorde(qint64 hz, const QString& modeRadio)
{
    if (!m_poste)
        return;
    QString refuse;
    int code = m_poste->regleFrequence(hz);
    if (code != 0 && ErreurRadio::estRefus(code)) {
        refuse = QStringLiteral("Radio : fréquence %1 refusée par la radio")
                     .arg(SuiviRadio::texteFrequence(hz));
        code = 0;
    } else if (code == 0 && !modeRadio.isEmpty()) {
        code = m_poste->regleMode(modeRadio);
        // A radio without a data mode works data on the sideband itself.
        if (code != 0 && ErreurRadio::estRefus(code) &&
            modeRadio.startsWith(ModesLog::prefixeDonnees))
            code = m_poste->regleMode(modeRadio.sliced(ModesLog::prefixeDonnees.size()));
        if (code != 0 && ErreurRadio::estRefus(code)) {
            refuse = QStringLiteral("Radio : mode %1 refusé par la radio").arg(modeRadio);
            code = 0;
        }
    }
    if (code != 0) {
        perdue(raisonPerte(code));
        return;
    }
    // The reading first: the refusal is said over what the radio shows.
    interroge();
    if (!refuse.isEmpty() && m_poste)
        Q_EMIT refus(refuse);
}

QString TravailRadio::raisonPerte(int code)
{
    const QString raison = m_poste ? m_poste->raison() : QString();
    return raison.isEmpty() ? ErreurRadio::raison(code) : raison;
}

void TravailRadio::demandeModeles(const ReglagesRadio& reglages)
{
    if (reglages.liaison == ReglagesRadio::Liaison::RigctldLance) {
        QString manque;
        const QList<Radio::Modele> modeles =
            PosteRigctldLance::modeles(reglages.dossierHamlib, &manque);
        Q_EMIT modelesRecus(modeles, manque);
        return;
    }
#ifdef KZT_HAMLIB
    Q_EMIT modelesRecus(PosteHamlib::modeles(), PosteHamlib::absent());
#else
    Q_UNUSED(reglages);
    Q_EMIT modelesRecus({}, QString());
#endif
}

void TravailRadio::teste(const ReglagesRadio& reglages)
{
    if (!reglages.avecRadio()) {
        Q_EMIT testTermine(false, QStringLiteral("Choisissez d'abord le modèle de la radio."));
        return;
    }
    const QString defaut = defautReglages(reglages);
    if (!defaut.isEmpty()) {
        QString texte = defaut;
        texte[0] = texte.at(0).toUpper();
        if (!texte.endsWith(QLatin1Char('.')))
            texte += QLatin1Char('.');
        Q_EMIT testTermine(false, texte);
        return;
    }
    // The radio in use answers through its own connection when the settings
    // are its own (the polling interval aside). Other settings are tried as
    // they are, on a connection of their own; the radio in use is closed
    // meanwhile when they name its port, which is not opened twice.
    ReglagesRadio memes = reglages;
    memes.intervalle = m_reglages.intervalle;
    qint64 hz = 0;
    QString mode;
    int code = 0;
    QString raison;
    if (m_poste && memes == m_reglages) {
        code = m_poste->lit(&hz, &mode);
    } else {
        const bool rouvre = m_poste && reglages.adresse() == m_reglages.adresse();
        if (rouvre)
            ferme();
        {
            const auto poste = nouveauPoste(reglages);
            code = poste->ouvre(reglages, &raison);
            if (code == 0) {
                code = poste->lit(&hz, &mode);
                if (code != 0)
                    raison = poste->raison();
            }
        }
        if (rouvre)
            essaie();
    }
    if (code != 0) {
        Q_EMIT testTermine(false, QStringLiteral("Échec : %1.")
                                      .arg(raison.isEmpty() ? ErreurRadio::raison(code) : raison));
        return;
    }
    Q_EMIT testTermine(
        true,
        QStringLiteral("Radio trouvée : %1, mode %2.").arg(SuiviRadio::texteFrequence(hz), mode));
}

void TravailRadio::arrete()
{
    m_nouvelEssai.annule();
    ferme();
}
