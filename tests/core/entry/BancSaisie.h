#pragma once

#include "OutilsTest.h"
#include "core/entry/ModeleSaisie.h"
#include "core/log/StationLog.h"
#include "core/platform/StockReglages.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// The main window as the entry area sees it: a log list over the log file,
// connected to the model's signals, telling it the station and date mode.
class Hote {
public:
    QString indicatif = "F1ABC";
    bool dateAuto = true;
    QString dossier;
    ModeleSaisie* modele = nullptr;
    QStringList liste;

    void attache(ModeleSaisie* m)
    {
        modele = m;
        QObject::connect(m, &ModeleSaisie::listeARecharger, m, [this] { rechargeListeLog(); });
        QObject::connect(m, &ModeleSaisie::derniereASelectionner, m,
                         [this] { selectionneDerniere(); });
        m->changeIndicatifCourant(indicatif);
        m->changeDateAuto(dateAuto);
    }
    void changeIndicatif(const QString& nouveau)
    {
        indicatif = nouveau;
        modele->changeIndicatifCourant(nouveau);
    }
    void changeDateAuto(bool automatique)
    {
        dateAuto = automatique;
        modele->changeDateAuto(automatique);
    }
    void rechargeListeLog()
    {
        liste = StationLog(dossier, indicatif).Charge_Log().affichage.versListe();
        selectionneDerniere();
    }
    void selectionneDerniere()
    {
        if (!liste.isEmpty())
            modele->selection(liste.last());
    }
};

// A QSO of the log, its QSL received.
inline const QString kAncien =
    "F5XYZ        91   MARC            91005 03/04/09 10:00 CW  14 Mhz  599 "
    "599 MOULIN DE JEAN                 *";

// The entry model of each test, over an empty log of its own in a temporary
// folder, with its own settings, clock and message box; and the keys typed
// into it.
class BancSaisie {
protected:
    using M = ModeleSaisie;

    QTemporaryDir* m_dossierTemporaire = nullptr;
    StockReglages* m_reglages = nullptr;
    BoiteMessageScriptee m_messages;
    HorlogeReglee m_horloge;
    Hote m_hote;
    ModeleSaisie* m_modele = nullptr;

    QString cheminDuLog() const { return m_dossierTemporaire->filePath("F1ABC_KZT.log"); }
    QByteArray octetsLog() const { return OutilsTest::litOctets(cheminDuLog()); }
    void type(M::Controle c, const QString& texte, bool entree = true)
    {
        for (QChar ch : texte) {
            const M::Touche t = m_modele->frappeTouche(c, ch);
            if (t.tri == M::Touche::Prise)
                m_modele->changeTexte(c, m_modele->etat(c).texte + t.caractere);
        }
        if (entree)
            m_modele->frappeTouche(c, '\r');
    }
    void valideParEntree(M::Controle c) { m_modele->frappeTouche(c, '\r'); }
    // A whole QSO typed field by field, up to the button.
    void typeQso(const QString& ind, const QString& dpt, const QString& reference,
                 const QString& date = QString(), const QString& heure = QString())
    {
        type(M::Ind_A, ind);
        valideParEntree(M::Prenom_A);
        if (m_modele->etat(M::Dpt_A).texte.isEmpty())
            type(M::Dpt_A, dpt);
        else
            valideParEntree(M::Dpt_A);
        type(M::Ref_A, reference);
        if (m_modele->focus() == M::Date_A) {
            type(M::Date_A, date);
            type(M::Heure_A, heure);
        }
        for (M::Controle c : {M::Mode_A, M::RST_A, M::RSTE_A, M::Rem_A, M::QSL_A})
            valideParEntree(c);
    }

    // Before each test: the model ready for a first QSO.
    void prepareBanc()
    {
        m_dossierTemporaire = new QTemporaryDir;
        QVERIFY(OutilsTest::ecritOctets(cheminDuLog(), ""));
        m_horloge.regleA(QDateTime(QDate(2026, 12, 7), QTime(21, 42, 30), Qt::UTC), 3600);
        m_reglages = new StockReglages(m_dossierTemporaire->filePath("kzt.ini"));
        m_messages.vide();
        m_hote = Hote();
        m_hote.dossier = m_dossierTemporaire->path();
        m_modele =
            new ModeleSaisie(m_dossierTemporaire->path(), *m_reglages, m_messages, m_horloge);
        m_hote.attache(m_modele);
        m_modele->Prepare_Saisie();
    }
    void libereBanc()
    {
        delete m_modele;
        delete m_reglages;
        delete m_dossierTemporaire;
    }
};
