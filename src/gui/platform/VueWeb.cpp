#include "VueWeb.h"

#include "FabriqueVueWeb.h"
#include "core/platform/Systeme.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPluginLoader>
#include <QVBoxLayout>

namespace {

QString& dossierModule()
{
    static QString dossier;
    return dossier;
}

std::function<bool(const QUrl&)>& navigateur()
{
    static std::function<bool(const QUrl&)> ouvre = [](const QUrl& adresse) {
        return QDesktopServices::openUrl(adresse);
    };
    return ouvre;
}

// Why the page is not shown in the window. Windows builds have no web
// engine at all: the browser is simply the way pages are shown there.
QString sansModule()
{
    if (!Systeme::pagesDansLeProgramme())
        return QStringLiteral("Pages web : ");
    return QStringLiteral("L'affichage des pages web n'est pas installé avec le programme : ");
}

FabriqueVueWeb*& remplacement()
{
    static FabriqueVueWeb* autre = nullptr;
    return autre;
}

// The module, loaded once and kept: the web engine cannot be unloaded.
FabriqueVueWeb* fabrique()
{
    if (FabriqueVueWeb* autre = remplacement())
        return autre;
    static FabriqueVueWeb* chargee = nullptr;
    if (chargee)
        return chargee;
    QPluginLoader module(VueWeb::cheminModule());
    if (QObject* instance = module.instance())
        chargee = qobject_cast<FabriqueVueWeb*>(instance);
    return chargee;
}

} // namespace

VueWeb::VueWeb(QWidget* parent) : QWidget(parent)
{
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    if ((m_fabrique = fabrique())) {
        m_vue = m_fabrique->cree(this, [this](bool valide) { Q_EMIT chargee(valide); });
        colonne->addWidget(m_vue);
    } else {
        m_note = new QLabel(this);
        m_note->setObjectName(QStringLiteral("Note_Navigateur"));
        m_note->setWordWrap(true);
        m_note->setAlignment(Qt::AlignCenter);
        m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
        colonne->addWidget(m_note);
    }
}

void VueWeb::ouvre(const QUrl& adresse)
{
    m_adresse = adresse;
    if (m_vue) {
        m_fabrique->ouvre(m_vue, adresse);
        return;
    }
    const QString lien = adresse.toDisplayString();
    // The browser is handed web pages only: a local file or a program's own
    // link would be opened by whatever the system ties to it.
    const QString schema = adresse.scheme().toLower();
    if (schema != QLatin1String("http") && schema != QLatin1String("https")) {
        m_note->setText(QStringLiteral("Cette adresse n'est pas celle d'une page web : elle n'a "
                                       "pas été ouverte.\n\n") +
                        lien);
        return;
    }
    if (navigateur()(adresse)) {
        m_note->setText(sansModule() +
                        QStringLiteral("la page a été ouverte dans votre navigateur "
                                       "web.\n\n") +
                        lien);
    } else {
        m_note->setText(sansModule() +
                        QStringLiteral("aucun navigateur web n'a pu ouvrir la page. "
                                       "Son adresse est :\n\n") +
                        lien);
    }
}

void VueWeb::dossierDuModule(const QString& dossier)
{
    dossierModule() = dossier;
}

QString VueWeb::cheminModule()
{
    const QString dossier =
        dossierModule().isEmpty() ? QCoreApplication::applicationDirPath() : dossierModule();
    // The loader adds the suffix of the platform's modules.
    return QDir(dossier).filePath(QStringLiteral("kzt_web"));
}

void VueWeb::remplaceFabrique(FabriqueVueWeb* fabrique)
{
    remplacement() = fabrique;
}

void VueWeb::creeNavigateur(std::function<bool(const QUrl&)> ouvre)
{
    navigateur() = std::move(ouvre);
}
