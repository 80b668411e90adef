#include "SettingsStore.h"

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

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             kApplication, kApplication))
{
}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const QVariant value = m_settings->value(path(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

int SettingsStore::readIndex(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = read(section, key, QString::number(defaultValue)).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : -1;
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(path(section, key), value);
    m_settings->sync();
}

void SettingsStore::writeIndex(const QString& section, const QString& key, int value)
{
    write(section, key, QString::number(value));
}

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}
