#include "StockReglages.h"

#include <QDir>
#include <QSettings>

namespace {
const QString kApplication = QStringLiteral("KZT");

// QSettings reads "/" in a key as a group separator; sections and keys of the
// program never hold one (a "/" of a callsign is stored as "_"), but a section
// name is taken as one whole name all the same.
QString path(const QString& section, const QString& key)
{
    QString s = section;
    s.replace(QLatin1Char('/'), QLatin1Char('_'));
    return s + QLatin1Char('/') + key;
}
} // namespace

StockReglages::StockReglages()
    : m_qsettings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                              kApplication, kApplication))
{
}

StockReglages::StockReglages(const QString& iniFile)
    : m_qsettings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

StockReglages::~StockReglages() = default;

QString StockReglages::read(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const QVariant value = m_qsettings->value(path(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

int StockReglages::litIndex(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = read(section, key, QString::number(defaultValue)).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

Statut StockReglages::write(const QString& section, const QString& key, const QString& value)
{
    // Every write goes to the disk and waits for it: a value already stored
    // is not written again. After a failed write the file may not hold what
    // the store remembers, so every value is written then.
    if (m_qsettings->status() == QSettings::NoError) {
        const QVariant stored = m_qsettings->value(path(section, key));
        if (stored.isValid() && stored.toString() == value)
            return Statut::ok();
    }
    m_qsettings->setValue(path(section, key), value);
    m_qsettings->sync();
    bool written = m_qsettings->status() == QSettings::NoError;
    if (!written) {
        // QSettings keeps its first error for good: whether this write reached
        // the file is read back from the file itself.
        const QSettings fichier(fileName(), QSettings::IniFormat);
        written = fichier.status() == QSettings::NoError &&
                  fichier.value(path(section, key)).toString() == value;
    }
    if (written) {
        m_dejaSignale = false;
        return Statut::ok();
    }
    const Statut failed = Statut::failed(
        QStringLiteral("Les réglages n'ont pas pu être enregistrés dans le fichier « %1 » (%2) : "
                       "le programme continue, mais l'indicatif, la bande et le mode choisis ne "
                       "seront pas retrouvés au prochain démarrage.")
            .arg(QDir::toNativeSeparators(fileName()),
                 m_qsettings->status() == QSettings::FormatError
                     ? QStringLiteral("le fichier est mal formé")
                     : QStringLiteral("écriture refusée : droits, disque plein ou dossier en "
                                      "lecture seule")));
    if (m_signale && !m_dejaSignale) {
        m_dejaSignale = true;
        m_signale(failed.message);
    }
    return failed;
}

Statut StockReglages::ecritIndex(const QString& section, const QString& key, int value)
{
    return write(section, key, QString::number(value));
}

void StockReglages::signaleEchecsPar(std::function<void(const QString& message)> report)
{
    m_signale = std::move(report);
}

QString StockReglages::fileName() const
{
    return m_qsettings->fileName();
}
