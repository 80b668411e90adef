#include "PosteRigctldLance.h"

#include "ErreurRadio.h"
#include "core/platform/Systeme.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTcpServer>

namespace {

QMutex g_verrou;
QSet<qint64> g_enCours;

// A loopback port free at this moment, for rigctld to listen on.
quint16 portLibre()
{
    QTcpServer libre;
    return libre.listen(QHostAddress::LocalHost, 0) ? libre.serverPort() : 0;
}

// The last lines with words in them, the last first.
QStringList dernieresLignes(const QByteArray& texte, int combien)
{
    QStringList dernieres;
    const QList<QByteArray> lignes = texte.split('\n');
    for (auto l = lignes.crbegin(); l != lignes.crend() && dernieres.size() < combien; ++l) {
        const QString ligne = QString::fromLocal8Bit(*l).trimmed();
        if (!ligne.isEmpty())
            dernieres << ligne;
    }
    return dernieres;
}

// An error line of rigctld in French, when it is known.
QString enFrancais(const QString& ligne, const QString& port)
{
    const QString l = ligne.toLower();
    const QString lePort = port.isEmpty() ? QStringLiteral("de la radio") : port;
    if (l.contains(QLatin1String("no such file")) || l.contains(QLatin1String("cannot find")))
        return QStringLiteral("port %1 introuvable").arg(lePort);
    if (l.contains(QLatin1String("permission denied")) ||
        l.contains(QLatin1String("access is denied")))
        return QStringLiteral("accès refusé au port %1 (utilisé par un autre programme ?)")
            .arg(lePort);
    if (l.contains(QLatin1String("unknown rig num")))
        return QStringLiteral("modèle inconnu de ce rigctld");
    if (l.contains(QLatin1String("address already in use")))
        return QStringLiteral("le port réseau de rigctld était déjà pris");
    if (l.contains(QLatin1String("timeout")) || l.contains(QLatin1String("timed out")))
        return QStringLiteral("la radio ne répond pas sur le port %1").arg(lePort);
    return QString();
}

// The known error among rigctld's last lines, in French; empty when none is.
QString connue(const QByteArray& erreurs, const QString& port)
{
    // An error is often followed by a line of advice ("Please check with
    // --list option.") or by the status of the call that failed.
    for (const QString& ligne : dernieresLignes(erreurs, 3)) {
        const QString francais = enFrancais(ligne, port);
        if (!francais.isEmpty())
            return francais;
    }
    return QString();
}

} // namespace

PosteRigctldLance::PosteRigctldLance() = default;

PosteRigctldLance::~PosteRigctldLance()
{
    arreteDaemon();
}

QString PosteRigctldLance::programme(const QString& dossier)
{
    if (dossier.isEmpty())
        return QString();
    return QStandardPaths::findExecutable(QStringLiteral("rigctld"), {dossier});
}

QString PosteRigctldLance::absent(const QString& dossier)
{
    if (!programme(dossier).isEmpty())
        return QString();
    if (dossier.isEmpty())
        return QStringLiteral("le dossier de hamlib n'est pas indiqué, voir « Réglage de la "
                              "radio »");
    return QStringLiteral("rigctld est introuvable dans « %1 », voir « Réglage de la radio »")
        .arg(QDir::toNativeSeparators(dossier));
}

QList<Radio::Modele> PosteRigctldLance::modeles(const QString& dossier, QString* manque)
{
    *manque = absent(dossier);
    if (!manque->isEmpty())
        return {};
    QProcess liste;
    Systeme::prepareAuxiliaire(liste);
    liste.start(programme(dossier), {QStringLiteral("-l")});
    Systeme::lieAuxiliaire(liste);
    if (!liste.waitForFinished(10000) || liste.exitStatus() != QProcess::NormalExit) {
        liste.kill();
        liste.waitForFinished(1000);
        *manque = QStringLiteral("la liste des modèles de rigctld n'a pu être lue (%1)")
                      .arg(liste.errorString());
        return {};
    }
    const QList<Radio::Modele> lus = lisListe(liste.readAllStandardOutput());
    if (lus.isEmpty())
        *manque = QStringLiteral("rigctld n'a donné aucun modèle");
    return lus;
}

QList<Radio::Modele> PosteRigctldLance::lisListe(const QByteArray& sortie)
{
    // " Rig #  Mfg                    Model                   Version ..."
    // then one model a line, in columns of fixed widths; a maker may have
    // spaces in its name ("DTTS Microwave Society").
    qsizetype colFabricant = -1, colNom = -1, colVersion = -1;
    QList<Radio::Modele> modeles;
    for (QByteArray ligne : sortie.split('\n')) {
        if (ligne.endsWith('\r'))
            ligne.chop(1);
        if (colFabricant < 0) {
            if (ligne.contains("Rig #")) {
                colFabricant = ligne.indexOf("Mfg");
                colNom = ligne.indexOf("Model");
                colVersion = ligne.indexOf("Version");
                if (colFabricant < 0 || colNom <= colFabricant)
                    colFabricant = -1;
            }
            continue;
        }
        bool nombre = false;
        Radio::Modele m;
        m.numero = ligne.left(colFabricant).trimmed().toInt(&nombre);
        if (!nombre || m.numero <= 0)
            continue;
        m.fabricant = QString::fromUtf8(ligne.mid(colFabricant, colNom - colFabricant)).trimmed();
        m.nom = QString::fromUtf8(colVersion > colNom ? ligne.mid(colNom, colVersion - colNom)
                                                      : ligne.mid(colNom))
                    .trimmed();
        if (m.nom.isEmpty())
            continue;
        modeles << m;
    }
    return modeles;
}

QString PosteRigctldLance::traduit(const QByteArray& erreurs, const QString& port)
{
    const QString francais = connue(erreurs, port);
    if (!francais.isEmpty())
        return francais;
    const QStringList dernieres = dernieresLignes(erreurs, 1);
    return dernieres.isEmpty() ? QString() : QStringLiteral("rigctld : ") + dernieres.first();
}

QList<qint64> PosteRigctldLance::enCours()
{
    const QMutexLocker verrou(&g_verrou);
    return g_enCours.values();
}

int PosteRigctldLance::ouvre(const ReglagesRadio& reglages, QString* raison)
{
    arreteDaemon();
    m_erreurs.clear();
    m_port = reglages.port;
    const QString chemin = programme(reglages.dossierHamlib);
    if (chemin.isEmpty()) {
        *raison = absent(reglages.dossierHamlib);
        return ErreurRadio::EntreeSortie;
    }
    // A serial device that is not there is said at once: rigctld would try
    // it again and again without a word.
    if (m_port.startsWith(QLatin1Char('/')) && !QFileInfo::exists(m_port)) {
        *raison = enFrancais(QStringLiteral("No such file"), m_port);
        return ErreurRadio::EntreeSortie;
    }
    const quint16 ecoute = portLibre();
    QStringList arguments{QStringLiteral("-m"), QString::number(reglages.modele)};
    if (!m_port.isEmpty())
        arguments << QStringLiteral("-r") << m_port;
    if (reglages.vitesse > 0)
        arguments << QStringLiteral("-s") << QString::number(reglages.vitesse);
    // "-vv": its errors, on its error output, for the status line.
    arguments << QStringLiteral("-T") << QStringLiteral("127.0.0.1") << QStringLiteral("-t")
              << QString::number(ecoute) << QStringLiteral("-vv");
    m_processus = std::make_unique<QProcess>();
    m_processus->setStandardOutputFile(QProcess::nullDevice());
    // What it says is on its error output: the channel a wait reads.
    m_processus->setReadChannel(QProcess::StandardError);
    // Read as it comes, so that a radio that fails for days never fills
    // the memory with what rigctld says of it.
    QObject::connect(m_processus.get(), &QProcess::readyReadStandardError, m_processus.get(),
                     [this] { litErreurs(); });
    Systeme::prepareAuxiliaire(*m_processus);
    m_processus->start(chemin, arguments);
    if (!m_processus->waitForStarted(delaiDemarrage)) {
        *raison = QStringLiteral("rigctld n'a pu être lancé (%1)").arg(m_processus->errorString());
        m_processus.reset();
        return ErreurRadio::EntreeSortie;
    }
    Systeme::lieAuxiliaire(*m_processus);
    {
        const QMutexLocker verrou(&g_verrou);
        m_pid = m_processus->processId();
        g_enCours.insert(m_pid);
    }

    // It takes connections once it has opened the radio.
    ReglagesRadio client;
    client.liaison = ReglagesRadio::Liaison::Rigctld;
    client.rigctld = QStringLiteral("127.0.0.1:%1").arg(ecoute);
    const QDeadlineTimer fin(delaiDemarrage);
    while (!fin.hasExpired()) {
        QString refus;
        m_client = std::make_unique<PosteRigctld>();
        if (m_client->ouvre(client, &refus) == 0)
            return 0;
        m_client.reset();
        if (termine(raison))
            return ErreurRadio::EntreeSortie;
        // rigctld opens a serial radio before it listens: what it says of
        // a radio it cannot open is the reason, at once.
        litErreurs();
        const QString dit = connue(m_erreurs, m_port);
        if (!dit.isEmpty()) {
            *raison = dit;
            arreteDaemon();
            return ErreurRadio::EntreeSortie;
        }
        m_processus->waitForReadyRead(50);
    }
    litErreurs();
    const QString dit = traduit(m_erreurs, m_port);
    *raison = dit.isEmpty() ? QStringLiteral("rigctld ne répond pas") : dit;
    arreteDaemon();
    return ErreurRadio::EntreeSortie;
}

void PosteRigctldLance::litErreurs()
{
    if (!m_processus)
        return;
    m_erreurs += m_processus->readAllStandardError();
    // Only the last lines are ever said.
    if (m_erreurs.size() > 4096)
        m_erreurs = m_erreurs.right(2048);
}

bool PosteRigctldLance::termine(QString* raison)
{
    if (!m_processus)
        return true;
    if (m_processus->state() != QProcess::NotRunning)
        return false;
    litErreurs();
    const QString dit = traduit(m_erreurs, m_port);
    *raison = dit.isEmpty() ? QStringLiteral("rigctld s'est arrêté") : dit;
    arreteDaemon();
    return true;
}

QString PosteRigctldLance::raison()
{
    // The connection drops as rigctld ends: its end is waited for a moment.
    if (m_processus && m_processus->state() != QProcess::NotRunning)
        m_processus->waitForFinished(200);
    QString pourquoi;
    if (termine(&pourquoi))
        return pourquoi;
    // Still there: rigctld opens a serial radio at each connection and,
    // when it cannot, says why (after its own tries, about 2 s) and goes on
    // listening. What it says is waited for a moment, on this worker thread.
    const QDeadlineTimer fin(attenteErreurMs);
    for (;;) {
        litErreurs();
        const QString dit = connue(m_erreurs, m_port);
        if (!dit.isEmpty() || fin.hasExpired() || !m_processus ||
            m_processus->state() == QProcess::NotRunning)
            return dit;
        m_processus->waitForReadyRead(int(fin.remainingTime()));
    }
}

void PosteRigctldLance::arreteDaemon()
{
    m_client.reset();
    if (!m_processus)
        return;
    if (m_processus->state() != QProcess::NotRunning) {
        // Asked first, so that it lets the radio go as it should; then
        // ended, within the bound of the program's end.
        m_processus->terminate();
        if (!m_processus->waitForFinished(100)) {
            m_processus->kill();
            m_processus->waitForFinished(1000);
        }
    }
    if (m_processus->state() == QProcess::NotRunning) {
        const QMutexLocker verrou(&g_verrou);
        g_enCours.remove(m_pid);
    }
    m_processus.reset();
}

int PosteRigctldLance::lit(qint64* hz, QString* mode)
{
    const int code = m_client ? m_client->lit(hz, mode) : int(ErreurRadio::EntreeSortie);
    // What rigctld said before a good reading is not why a later one fails.
    if (code == 0 && !m_erreurs.isEmpty()) {
        litErreurs();
        m_erreurs.clear();
    }
    return code;
}

int PosteRigctldLance::regleFrequence(qint64 hz)
{
    return m_client ? m_client->regleFrequence(hz) : int(ErreurRadio::EntreeSortie);
}

int PosteRigctldLance::regleMode(const QString& mode)
{
    return m_client ? m_client->regleMode(mode) : int(ErreurRadio::EntreeSortie);
}
