#include "PosteHamlib.h"

#include "ErreurRadio.h"

#include <QFileInfo>
#include <QLibrary>

// Only the types and constants of hamlib's header are used here: its
// functions are found in the library once it is loaded.
#include <hamlib/rig.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <mutex>

#include <unistd.h>

namespace {

// The numbers of ErreurRadio are hamlib's.
constexpr bool memeCode(ErreurRadio::Code a, rig_errcode_e b)
{
    return int(a) == int(b);
}
static_assert(memeCode(ErreurRadio::Delai, RIG_ETIMEOUT) &&
              memeCode(ErreurRadio::EntreeSortie, RIG_EIO) &&
              memeCode(ErreurRadio::Rejetee, RIG_ERJCTED) &&
              memeCode(ErreurRadio::VfoNonCible, RIG_ENTARGET) &&
              memeCode(ErreurRadio::Domaine, RIG_EDOM) &&
              memeCode(ErreurRadio::Eteinte, RIG_EPOWER));

// The functions of hamlib that the program calls.
struct Fonctions {
    decltype(&rig_set_debug) setDebug = nullptr;
    decltype(&rig_load_all_backends) chargeTout = nullptr;
    decltype(&rig_get_caps) caps = nullptr;
    decltype(&rig_list_foreach) pourChaque = nullptr;
    decltype(&rig_init) init = nullptr;
    decltype(&rig_token_lookup) jeton = nullptr;
    decltype(&rig_set_conf) setConf = nullptr;
    decltype(&rig_open) open = nullptr;
    decltype(&rig_close) close = nullptr;
    decltype(&rig_cleanup) cleanup = nullptr;
    decltype(&rig_set_cache_timeout_ms) cache = nullptr;
    decltype(&rig_get_freq) getFreq = nullptr;
    decltype(&rig_set_freq) setFreq = nullptr;
    decltype(&rig_get_mode) getMode = nullptr;
    decltype(&rig_set_mode) setMode = nullptr;
    decltype(&rig_strrmode) texteMode = nullptr;
    decltype(&rig_parse_mode) litMode = nullptr;
};

template <typename F> bool resous(QLibrary& bibliotheque, F& f, const char* nom)
{
    f = reinterpret_cast<F>(bibliotheque.resolve(nom));
    return f != nullptr;
}

// Loaded once for the process, and kept: hamlib's backends stay registered
// with it. Null when the library or one of its functions is missing.
const Fonctions* hamlib()
{
    static const Fonctions* fonctions = nullptr;
    static std::once_flag fait;
    std::call_once(fait, [] {
        static QLibrary bibliotheque(PosteHamlib::nomBibliotheque());
        static Fonctions f;
        if (!bibliotheque.load())
            return;
        const bool complet = resous(bibliotheque, f.setDebug, "rig_set_debug") &&
                             resous(bibliotheque, f.chargeTout, "rig_load_all_backends") &&
                             resous(bibliotheque, f.caps, "rig_get_caps") &&
                             resous(bibliotheque, f.pourChaque, "rig_list_foreach") &&
                             resous(bibliotheque, f.init, "rig_init") &&
                             resous(bibliotheque, f.jeton, "rig_token_lookup") &&
                             resous(bibliotheque, f.setConf, "rig_set_conf") &&
                             resous(bibliotheque, f.open, "rig_open") &&
                             resous(bibliotheque, f.close, "rig_close") &&
                             resous(bibliotheque, f.cleanup, "rig_cleanup") &&
                             resous(bibliotheque, f.cache, "rig_set_cache_timeout_ms") &&
                             resous(bibliotheque, f.getFreq, "rig_get_freq") &&
                             resous(bibliotheque, f.setFreq, "rig_set_freq") &&
                             resous(bibliotheque, f.getMode, "rig_get_mode") &&
                             resous(bibliotheque, f.setMode, "rig_set_mode") &&
                             resous(bibliotheque, f.texteMode, "rig_strrmode") &&
                             resous(bibliotheque, f.litMode, "rig_parse_mode");
        if (!complet)
            return;
        // Quiet on the terminal, every backend known (the list of models),
        // and a write to a radio's socket closed by the other end an error
        // rather than the end of the program.
        f.setDebug(RIG_DEBUG_NONE);
        f.chargeTout();
        std::signal(SIGPIPE, SIG_IGN);
        fonctions = &f;
    });
    return fonctions;
}

// The reason of a failed open: the port's own state says more than hamlib's
// code (an I/O error for a missing device as for a refused connection).
QString raisonOuverture(int code, int erreurSysteme, const ReglagesRadio& reglages)
{
    if (std::abs(code) == RIG_EIO || std::abs(code) == RIG_ECONF) {
        if (erreurSysteme == ECONNREFUSED)
            return QStringLiteral("connexion refusée");
        if (PosteHamlib::typePort(reglages.modele) == ReglagesRadio::TypePort::Serie &&
            !reglages.port.isEmpty()) {
            const QByteArray chemin = QFile::encodeName(reglages.port);
            if (!QFileInfo::exists(reglages.port))
                return QStringLiteral("port série introuvable");
            if (::access(chemin.constData(), R_OK | W_OK) != 0)
                return QStringLiteral("accès au port refusé : ajoutez-vous au groupe dialout");
        }
    }
    return ErreurRadio::raison(code);
}

} // namespace

QString PosteHamlib::nomBibliotheque()
{
    return QStringLiteral("libhamlib.so.4");
}

QString PosteHamlib::absent()
{
    return hamlib() ? QString() : QStringLiteral("hamlib n'est pas installé (paquet libhamlib4)");
}

bool PosteHamlib::connu(int numero)
{
    const Fonctions* f = hamlib();
    return f && f->caps(rig_model_t(numero)) != nullptr;
}

ReglagesRadio::TypePort PosteHamlib::typePort(int numero)
{
    const Fonctions* f = hamlib();
    const rig_caps* caps = f ? f->caps(rig_model_t(numero)) : nullptr;
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

QList<Radio::Modele> PosteHamlib::modeles()
{
    QList<Radio::Modele> modeles;
    const Fonctions* f = hamlib();
    if (!f)
        return modeles;
    f->pourChaque(
        [](const rig_caps* caps, rig_ptr_t donnees) {
            Radio::Modele m;
            m.numero = int(caps->rig_model);
            m.fabricant = QString::fromLatin1(caps->mfg_name).trimmed();
            m.nom = QString::fromLatin1(caps->model_name).trimmed();
            m.port = PosteHamlib::typePort(m.numero);
            static_cast<QList<Radio::Modele>*>(donnees)->append(m);
            return 1; // go on
        },
        &modeles);
    std::sort(modeles.begin(), modeles.end(), [](const Radio::Modele& a, const Radio::Modele& b) {
        const int fab = QString::compare(a.fabricant, b.fabricant, Qt::CaseInsensitive);
        if (fab != 0)
            return fab < 0;
        const int n = QString::compare(a.nom, b.nom, Qt::CaseInsensitive);
        return n != 0 ? n < 0 : a.numero < b.numero;
    });
    return modeles;
}

PosteHamlib::~PosteHamlib()
{
    if (!m_rig)
        return;
    const Fonctions* f = hamlib();
    f->close(m_rig);
    f->cleanup(m_rig);
}

int PosteHamlib::ouvre(const ReglagesRadio& reglages, QString* raison)
{
    const Fonctions* f = hamlib();
    if (!f) {
        *raison = absent();
        return ErreurRadio::Configuration;
    }
    RIG* rig = f->init(rig_model_t(reglages.modele));
    if (!rig) {
        *raison = QStringLiteral("le modèle %1 est inconnu de hamlib").arg(reglages.modele);
        return ErreurRadio::Configuration;
    }
    const auto regle = [f, rig](const char* nom, const QByteArray& valeur) {
        const token_t jeton = f->jeton(rig, nom);
        return jeton == RIG_CONF_END || f->setConf(rig, jeton, valeur.constData()) == RIG_OK;
    };
    if (!reglages.port.isEmpty())
        regle("rig_pathname", reglages.port.toLocal8Bit());
    if (reglages.vitesse > 0)
        regle("serial_speed", QByteArray::number(reglages.vitesse));
    // Short waits: a silent radio keeps the worker from the next order for
    // one second, not for hamlib's default retries.
    regle("timeout", "1000");
    regle("retry", "0");
    errno = 0;
    const int code = f->open(rig);
    const int erreurSysteme = errno;
    if (code != RIG_OK) {
        *raison = raisonOuverture(code, erreurSysteme, reglages);
        f->cleanup(rig);
        return std::abs(code);
    }
    // Every reading asks the radio: a change is seen at the next poll.
    f->cache(rig, HAMLIB_CACHE_ALL, 0);
    m_rig = rig;
    return 0;
}

int PosteHamlib::lit(qint64* hz, QString* mode)
{
    const Fonctions* f = hamlib();
    freq_t frequence = 0;
    int code = f->getFreq(m_rig, RIG_VFO_CURR, &frequence);
    if (code != RIG_OK)
        return std::abs(code);
    rmode_t m = RIG_MODE_NONE;
    pbwidth_t largeur = 0;
    code = f->getMode(m_rig, RIG_VFO_CURR, &m, &largeur);
    if (code != RIG_OK)
        return std::abs(code);
    *hz = qint64(frequence + 0.5);
    *mode = QString::fromLatin1(f->texteMode(m));
    return 0;
}

int PosteHamlib::regleFrequence(qint64 hz)
{
    return std::abs(hamlib()->setFreq(m_rig, RIG_VFO_CURR, freq_t(hz)));
}

int PosteHamlib::regleMode(const QString& mode)
{
    const Fonctions* f = hamlib();
    const rmode_t m = f->litMode(mode.toLatin1().constData());
    if (m == RIG_MODE_NONE)
        return ErreurRadio::Invalide;
    return std::abs(f->setMode(m_rig, RIG_VFO_CURR, m, RIG_PASSBAND_NOCHANGE));
}
