#include "VueWeb.h"

#include "FabriqueVueWeb.h"
#include "core/platform/Systeme.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPluginLoader>
#include <QPushButton>
#include <QStyle>
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
        // A short note instead of the page: what became of it, its address
        // and a button that copies it.
        colonne->setContentsMargins(12, 12, 12, 12);
        auto* ligne = new QHBoxLayout;
        m_icone = new QLabel(this);
        m_icone->setObjectName(QStringLiteral("Icone_Navigateur"));
        ligne->addWidget(m_icone, 0, Qt::AlignTop);
        m_note = new QLabel(this);
        m_note->setObjectName(QStringLiteral("Note_Navigateur"));
        m_note->setWordWrap(true);
        m_note->setMinimumWidth(360);
        m_note->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        ligne->addWidget(m_note, 1);
        colonne->addLayout(ligne);
        auto* copier = new QPushButton(QStringLiteral("&Copier l'adresse"), this);
        copier->setObjectName(QStringLiteral("Copier_Adresse"));
        connect(copier, &QPushButton::clicked, this,
                [this] { QGuiApplication::clipboard()->setText(m_adresse.toDisplayString()); });
        colonne->addWidget(copier, 0, Qt::AlignRight);
        colonne->addStretch(1);
    }
}

void VueWeb::dit(const QString& texte, bool echec)
{
    m_note->setText(texte);
    const int cote = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    const QStyle::StandardPixmap icone =
        echec ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxInformation;
    m_icone->setPixmap(style()->standardIcon(icone, nullptr, this).pixmap(cote, cote));
    m_note->setAccessibleName(echec ? QStringLiteral("Échec") : QString());
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
        dit(QStringLiteral("Cette adresse n'est pas celle d'une page web : elle n'a "
                           "pas été ouverte.\n\n") +
                lien,
            true);
        return;
    }
    if (navigateur()(adresse)) {
        dit(sansModule() + QStringLiteral("la page a été ouverte dans votre navigateur web.\n\n") +
                lien,
            false);
    } else {
        dit(sansModule() +
                QStringLiteral("échec, aucun navigateur web n'a pu ouvrir la page. "
                               "Son adresse est :\n\n") +
                lien,
            true);
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
