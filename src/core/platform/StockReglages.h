#pragma once

#include "Statut.h"

#include <QString>

#include <functional>
#include <memory>

class QSettings;

// The per-user settings of the program: text values addressed by section and
// key, under the application name "KZT". Reading never fails: a value that was
// never written gives the default. Nothing is ever deleted. A write that does
// not reach the file fails with a French message, also given to the failure
// report (once, until a write succeeds again): the program goes on, but the
// value will not be there at the next start.
class StockReglages {
public:
    // The user's own store.
    StockReglages();
    // A store kept in the given INI file (tests, or a portable set-up).
    explicit StockReglages(const QString& fichierIni);
    ~StockReglages();

    StockReglages(const StockReglages&) = delete;
    StockReglages& operator=(const StockReglages&) = delete;

    QString lit(const QString& section, const QString& cle, const QString& valeurDefaut) const;
    // A list index stored as decimal text; the default when absent, -1 when
    // the stored text is not a whole number.
    int litIndex(const QString& section, const QString& cle, int valeurDefaut) const;
    Statut ecrit(const QString& section, const QString& cle, const QString& valeur);
    Statut ecritIndex(const QString& section, const QString& cle, int valeur);

    void signaleEchecsPar(std::function<void(const QString& message)> rapport);

    QString nomDeFichier() const;

private:
    std::unique_ptr<QSettings> m_qsettings;
    std::function<void(const QString&)> m_signale;
    bool m_dejaSignale = false;
};
