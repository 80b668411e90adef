#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class FabriqueVueWeb;
class QLabel;

// A web page inside a window. The web engine lives in a module of the
// program folder that is loaded the first time a page is shown; when it is
// not there, the page opens in the system's web browser and the view says so
// in a short note, with the page's address and a button that copies it.
class VueWeb : public QWidget {
    Q_OBJECT
public:
    explicit VueWeb(QWidget* parent = nullptr);

    // Shows the page at the address.
    void ouvre(const QUrl& adresse);
    QUrl adresse() const { return m_adresse; }
    // Whether the page shows inside the window.
    bool integree() const { return m_vue != nullptr; }

    // The folder that holds the module: the program folder unless told.
    static void dossierDuModule(const QString& dossier);
    static QString cheminModule();
    // Opens an address in the system's browser; replaced by tests.
    static void creeNavigateur(std::function<bool(const QUrl&)> ouvre);
    // Views made by another maker than the module's (tests); nullptr gives
    // the module back. The maker stays the caller's.
    static void remplaceFabrique(FabriqueVueWeb* fabrique);

Q_SIGNALS:
    // End of a page load inside the window, with its success.
    void chargee(bool valide);

private:
    // The note shown in place of the page, as a failure or not.
    void dit(const QString& texte, bool echec);

    FabriqueVueWeb* m_fabrique = nullptr; // the maker of m_vue
    QWidget* m_vue = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_icone = nullptr;
    QUrl m_adresse;
};
