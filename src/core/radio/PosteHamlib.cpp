#include "PosteHamlib.h"

#include "SuiviRadio.h"

#include <QDateTime>
#include <QTimer>

#include <hamlib/rig.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <mutex>

namespace {

// Once for the process: hamlib quiet on the terminal and every backend
// known (its list of models), and a write to a radio's socket closed by the
// other end an error rather than the end of the program.
void prepareHamlib()
{
    static std::once_flag fait;
    std::call_once(fait, [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_load_all_backends();
        std::signal(SIGPIPE, SIG_IGN);
    });
}

// A hamlib error code in French.
QString erreurHamlib(int code)
{
    switch (std::abs(code)) {
    case RIG_ETIMEOUT:
        return QStringLiteral("la radio ne répond pas");
    case RIG_EIO:
        return QStringLiteral("erreur de communication avec la radio");
    case RIG_ECONF:
    case RIG_EINVAL:
        return QStringLiteral("réglages refusés par hamlib");
    case RIG_ENOMEM:
        return QStringLiteral("mémoire insuffisante");
    case RIG_ENIMPL:
    case RIG_ENAVAIL:
        return QStringLiteral("commande non disponible sur ce modèle");
    case RIG_EPROTO:
    case RIG_ERJCTED:
        return QStringLiteral("réponse incomprise de la radio");
    case RIG_ENTARGET:
        return QStringLiteral("modèle de radio introuvable");
    default:
        return QStringLiteral("erreur hamlib %1 (%2)")
            .arg(std::abs(code))
            .arg(QString::fromLatin1(rigerror(code)).trimmed());
    }
}

int rappelModele(const rig_caps* caps, rig_ptr_t donnees)
{
    auto* modeles = static_cast<QList<Radio::Modele>*>(donnees);
    Radio::Modele m;
    m.numero = int(caps->rig_model);
    m.fabricant = QString::fromLatin1(caps->mfg_name).trimmed();
    m.nom = QString::fromLatin1(caps->model_name).trimmed();
    m.port = PosteHamlib::typePort(m.numero);
    modeles->append(m);
    return 1; // go on
}

struct Lecture {
    int code = RIG_OK;
    qint64 hz = 0;
    QString mode;
};

Lecture litRadio(RIG* rig)
{
    Lecture l;
    freq_t frequence = 0;
    l.code = rig_get_freq(rig, RIG_VFO_CURR, &frequence);
    if (l.code != RIG_OK)
        return l;
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t largeur = 0;
    l.code = rig_get_mode(rig, RIG_VFO_CURR, &mode, &largeur);
    l.hz = qint64(frequence + 0.5);
    l.mode = QString::fromLatin1(rig_strrmode(mode));
    return l;
}

// A handle of the radio of these settings, opened; nullptr with the reason.
RIG* ouvreRadio(const ReglagesRadio& reglages, QString* raison)
{
    RIG* rig = rig_init(rig_model_t(reglages.modele));
    if (!rig) {
        *raison = QStringLiteral("le modèle %1 est inconnu de hamlib").arg(reglages.modele);
        return nullptr;
    }
    const auto regle = [rig](const char* nom, const QByteArray& valeur) {
        const token_t jeton = rig_token_lookup(rig, nom);
        return jeton == RIG_CONF_END || rig_set_conf(rig, jeton, valeur.constData()) == RIG_OK;
    };
    if (!reglages.port.isEmpty())
        regle("rig_pathname", reglages.port.toLocal8Bit());
    if (reglages.vitesse > 0)
        regle("serial_speed", QByteArray::number(reglages.vitesse));
    // Short waits: a silent radio keeps this thread from the next order
    // for one second, not for hamlib's default retries.
    regle("timeout", "1000");
    regle("retry", "0");
    const int code = rig_open(rig);
    if (code != RIG_OK) {
        *raison = erreurHamlib(code);
        rig_cleanup(rig);
        return nullptr;
    }
    // Every reading asks the radio: a change is seen at the next poll.
    rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
    return rig;
}

} // namespace

PosteHamlib::PosteHamlib(const Radio::Delais& delais) : m_delais(delais) {}

PosteHamlib::~PosteHamlib()
{
    ferme();
}

ReglagesRadio::TypePort PosteHamlib::typePort(int numero)
{
    prepareHamlib();
    const rig_caps* caps = rig_get_caps(rig_model_t(numero));
    if (!caps)
        return ReglagesRadio::TypePort::Serie;
    switch (caps->port_type) {
    case RIG_PORT_NONE:
    case RIG_PORT_RPC:
        return ReglagesRadio::TypePort::Aucun;
    case RIG_PORT_SERIAL:
        return ReglagesRadio::TypePort::Serie;
    case RIG_PORT_NETWORK:
    case RIG_PORT_UDP_NETWORK:
        return ReglagesRadio::TypePort::Reseau;
    default:
        return ReglagesRadio::TypePort::Autre;
    }
}

void PosteHamlib::configure(const ReglagesRadio& reglages)
{
    prepareHamlib();
    if (!m_interrogation) {
        m_interrogation = new QTimer(this);
        connect(m_interrogation, &QTimer::timeout, this, &PosteHamlib::interroge);
        m_nouvelEssai = new QTimer(this);
        m_nouvelEssai->setSingleShot(true);
        connect(m_nouvelEssai, &QTimer::timeout, this, &PosteHamlib::essaie);
    }
    ferme();
    m_nouvelEssai->stop();
    m_reglages = reglages;
    m_perdueDepuis = -1;
    if (!reglages.avecRadio()) {
        Q_EMIT etat(false, QString());
        return;
    }
    if (!rig_get_caps(rig_model_t(reglages.modele))) {
        Q_EMIT etat(false, QStringLiteral("Radio : le modèle %1 est inconnu de hamlib, "
                                          "voir « Réglage de la radio »")
                               .arg(reglages.modele));
        return;
    }
    const QString defaut = reglages.defaut(typePort(reglages.modele));
    if (!defaut.isEmpty()) {
        Q_EMIT etat(false, QStringLiteral("Radio : ") + defaut);
        return;
    }
    essaie();
}

void PosteHamlib::essaie()
{
    QString raison;
    if (!ouvre(&raison)) {
        perdue(raison);
        return;
    }
    m_perdueDepuis = -1;
    m_interrogation->start(m_reglages.intervalle);
    interroge();
}

bool PosteHamlib::ouvre(QString* raison)
{
    ferme();
    m_rig = ouvreRadio(m_reglages, raison);
    return m_rig != nullptr;
}

void PosteHamlib::ferme()
{
    if (m_interrogation)
        m_interrogation->stop();
    if (!m_rig)
        return;
    rig_close(m_rig);
    rig_cleanup(m_rig);
    m_rig = nullptr;
}

void PosteHamlib::interroge()
{
    if (!m_rig)
        return;
    const Lecture l = litRadio(m_rig);
    if (l.code != RIG_OK) {
        perdue(erreurHamlib(l.code));
        return;
    }
    Q_EMIT etat(true, QString());
    Q_EMIT lu(l.hz, l.mode);
}

void PosteHamlib::perdue(const QString& raison)
{
    Q_UNUSED(raison);
    ferme();
    const qint64 maintenant = QDateTime::currentMSecsSinceEpoch();
    if (m_perdueDepuis < 0)
        m_perdueDepuis = maintenant;
    const int delai =
        maintenant - m_perdueDepuis < m_delais.duree ? m_delais.premiers : m_delais.suivants;
    Q_EMIT etat(
        false,
        QStringLiteral("Radio non connectée (nouvel essai dans %1 s)").arg((delai + 999) / 1000));
    m_nouvelEssai->start(delai);
}

void PosteHamlib::accorde(qint64 hz, const QString& modeRadio)
{
    if (!m_rig)
        return;
    int code = rig_set_freq(m_rig, RIG_VFO_CURR, freq_t(hz));
    if (code == RIG_OK && !modeRadio.isEmpty()) {
        const rmode_t mode = rig_parse_mode(modeRadio.toLatin1().constData());
        if (mode != RIG_MODE_NONE)
            code = rig_set_mode(m_rig, RIG_VFO_CURR, mode, RIG_PASSBAND_NOCHANGE);
    }
    if (code != RIG_OK) {
        perdue(erreurHamlib(code));
        return;
    }
    interroge();
}

void PosteHamlib::demandeModeles()
{
    prepareHamlib();
    QList<Radio::Modele> modeles;
    rig_list_foreach(rappelModele, &modeles);
    std::sort(modeles.begin(), modeles.end(), [](const Radio::Modele& a, const Radio::Modele& b) {
        const int f = QString::compare(a.fabricant, b.fabricant, Qt::CaseInsensitive);
        if (f != 0)
            return f < 0;
        const int n = QString::compare(a.nom, b.nom, Qt::CaseInsensitive);
        return n != 0 ? n < 0 : a.numero < b.numero;
    });
    Q_EMIT modelesRecus(modeles);
}

void PosteHamlib::teste(const ReglagesRadio& reglages)
{
    prepareHamlib();
    if (!reglages.avecRadio()) {
        Q_EMIT testTermine(false, QStringLiteral("Choisissez d'abord le modèle de la radio."));
        return;
    }
    if (!rig_get_caps(rig_model_t(reglages.modele))) {
        Q_EMIT testTermine(
            false, QStringLiteral("Le modèle %1 est inconnu de hamlib.").arg(reglages.modele));
        return;
    }
    const QString defaut = reglages.defaut(typePort(reglages.modele));
    if (!defaut.isEmpty()) {
        Q_EMIT testTermine(false, defaut);
        return;
    }
    // The radio in use answers through its own handle: a serial port is not
    // opened twice.
    Lecture l;
    QString raison;
    if (m_rig && reglages.modele == m_reglages.modele && reglages.port == m_reglages.port) {
        l = litRadio(m_rig);
    } else if (RIG* rig = ouvreRadio(reglages, &raison)) {
        l = litRadio(rig);
        rig_close(rig);
        rig_cleanup(rig);
    } else {
        Q_EMIT testTermine(false, QStringLiteral("Échec : %1.").arg(raison));
        return;
    }
    if (l.code != RIG_OK) {
        Q_EMIT testTermine(false, QStringLiteral("Échec : %1.").arg(erreurHamlib(l.code)));
        return;
    }
    Q_EMIT testTermine(true, QStringLiteral("Radio trouvée : %1, mode %2.")
                                 .arg(SuiviRadio::texteFrequence(l.hz), l.mode));
}

void PosteHamlib::arrete()
{
    if (m_nouvelEssai)
        m_nouvelEssai->stop();
    ferme();
}
