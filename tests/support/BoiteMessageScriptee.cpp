#include "BoiteMessageScriptee.h"

BoiteMessage::ReponseBoite BoiteMessageScriptee::montre(const QString& texte, Boutons boutons)
{
    m_affichees.append({texte, boutons});
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    return boutons == OuiNon ? ReponseOui : ReponseOk;
}

QStringList BoiteMessageScriptee::textes() const
{
    QStringList liste;
    for (const Affichee& s : m_affichees)
        liste.append(s.texteDonne);
    return liste;
}
