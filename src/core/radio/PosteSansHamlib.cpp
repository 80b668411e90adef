#include "PosteHamlib.h"

// The radio's side of Radio where hamlib's library is not there (Windows):
// no model, no port; the radio settings say that the radio cannot be read.

namespace {
const QString kSansHamlib =
    QStringLiteral("La lecture de la radio n'est pas disponible dans cette version.");
} // namespace

PosteHamlib::PosteHamlib(const Radio::Delais& delais) : m_delais(delais) {}

PosteHamlib::~PosteHamlib() = default;

ReglagesRadio::TypePort PosteHamlib::typePort(int)
{
    return ReglagesRadio::TypePort::Aucun;
}

void PosteHamlib::configure(const ReglagesRadio& reglages)
{
    m_reglages = reglages;
    Q_EMIT etat(false, reglages.avecRadio() ? QStringLiteral("Radio : ") + kSansHamlib : QString());
}

void PosteHamlib::accorde(qint64, const QString&) {}

void PosteHamlib::demandeModeles()
{
    Q_EMIT modelesRecus({});
}

void PosteHamlib::teste(const ReglagesRadio&)
{
    Q_EMIT testTermine(false, kSansHamlib);
}

void PosteHamlib::arrete() {}
