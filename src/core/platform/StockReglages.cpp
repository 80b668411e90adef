#include "StockReglages.h"

#include <QDir>
#include <QSettings>

namespace {
const QString kApplication = QStringLiteral("KZT");

// QSettings reads "/" in a key as a group separator; sections and keys of the
// program never hold one (a "/" of a callsign is stored as "_"), but a section
// name is taken as one whole name all the same.
QString cheminReglages(const QString& section, const QString& cle)
{
    QString s = section;
    s.replace(QLatin1Char('/'), QLatin1Char('_'));
    return s + QLatin1Char('/') + cle;
}
} // namespace

StockReglages::StockReglages()
    : m_qsettings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                              kApplication, kApplication))
{
}

StockReglages::StockReglages(const QString& fichierIni)
    : m_qsettings(std::make_unique<QSettings>(fichierIni, QSettings::IniFormat))
{
}

StockReglages::~StockReglages() = default;

QString StockReglages::lit(const QString& section, const QString& cle,
                           const QString& valeurDefaut) const
{
    const QVariant valeur = m_qsettings->value(cheminReglages(section, cle));
    return valeur.isValid() ? valeur.toString() : valeurDefaut;
}

int StockReglages::litIndex(const QString& section, const QString& cle, int valeurDefaut) const
{
    const QString texte = lit(section, cle, QString::number(valeurDefaut)).trimmed();
    bool valide = false;
    const int valeur = texte.toInt(&valide);
    return valide ? valeur : -1;
}

Statut StockReglages::ecrit(const QString& section, const QString& cle, const QString& valeur)
{
    // Every write goes to the disk and waits for it: a value already stored
    // is not written again. Stored means in the file as it is now: another
    // program on the same file may have changed it since this store last read
    // it, so the store reads it again first (a file that cannot be read again
    // tells nothing new). After a failed write the file may not hold what the
    // store remembers, so every value is written then.
    if (m_qsettings->status() == QSettings::NoError) {
        QVariant stocke = m_qsettings->value(cheminReglages(section, cle));
        m_qsettings->sync();
        if (m_qsettings->status() == QSettings::NoError)
            stocke = m_qsettings->value(cheminReglages(section, cle));
        if (stocke.isValid() && stocke.toString() == valeur)
            return Statut::valide();
    }
    m_qsettings->setValue(cheminReglages(section, cle), valeur);
    m_qsettings->sync();
    bool ecrit = m_qsettings->status() == QSettings::NoError;
    if (!ecrit) {
        // QSettings keeps its first error for good: whether this write reached
        // the file is read back from the file itself.
        const QSettings fichier(nomDeFichier(), QSettings::IniFormat);
        ecrit = fichier.status() == QSettings::NoError &&
                fichier.value(cheminReglages(section, cle)).toString() == valeur;
    }
    if (ecrit) {
        m_dejaSignale = false;
        return Statut::valide();
    }
    const Statut enEchec = Statut::enEchec(
        QStringLiteral("Les réglages n'ont pas pu être enregistrés dans le fichier « %1 » (%2) : "
                       "le programme continue, mais l'indicatif, la bande et le mode choisis ne "
                       "seront pas retrouvés au prochain démarrage.")
            .arg(QDir::toNativeSeparators(nomDeFichier()),
                 m_qsettings->status() == QSettings::FormatError
                     ? QStringLiteral("le fichier est mal formé")
                     : QStringLiteral("écriture refusée : droits, disque plein ou dossier en "
                                      "lecture seule")));
    if (m_signale && !m_dejaSignale) {
        m_dejaSignale = true;
        m_signale(enEchec.message);
    }
    return enEchec;
}

Statut StockReglages::ecritIndex(const QString& section, const QString& cle, int valeur)
{
    return ecrit(section, cle, QString::number(valeur));
}

void StockReglages::signaleEchecsPar(std::function<void(const QString& message)> rapport)
{
    m_signale = std::move(rapport);
}

QString StockReglages::nomDeFichier() const
{
    return m_qsettings->fileName();
}
