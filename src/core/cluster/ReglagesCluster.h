#pragma once

#include "core/platform/Statut.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

class StockReglages;

// The DX cluster node of the windmill hunt, as the section "Cluster" of the
// settings gives it (global to the computer): its host and port, the
// callsign given at its login prompt, and the commands sent once logged in,
// separated by ";".
struct ReglagesCluster {
    static inline const QString section = QStringLiteral("Cluster");
    static inline const QString cleHote = QStringLiteral("Hote");
    static inline const QString clePort = QStringLiteral("Port");
    static inline const QString cleIndicatif = QStringLiteral("Indicatif");
    static inline const QString cleCommandes = QStringLiteral("Commandes");
    static inline const QString cleAuDemarrage = QStringLiteral("AuDemarrage");
    // The place of the hunt's window when it was last closed: "x y largeur
    // hauteur", its frame's corner and its size.
    static inline const QString cleFenetre = QStringLiteral("Fenetre");

    static constexpr int portDefaut = 7300;
    static inline const QString commandesDefaut = QStringLiteral("sh/dx 30");

    QString hote;
    int port = portDefaut;
    QString indicatif;
    QString commandes = commandesDefaut;

    // What the settings hold. The callsign defaults to the station's, its
    // "_" written "/" ("F_P1ABC" logs in as "F/P1ABC"); a port that is not
    // a number reads as the default.
    static ReglagesCluster lit(const StockReglages& reglages, const QString& indicatifStation);
    Statut ecrit(StockReglages& reglages) const;

    // "Se connecter au démarrage": the hunt connects when the program starts,
    // its window closed ("Oui"; anything else, or nothing, is no).
    static bool auDemarrage(const StockReglages& reglages);
    static Statut changeAuDemarrage(StockReglages& reglages, bool oui);

    // The station callsign as a node knows it: "_" written "/".
    static QString indicatifDeStation(const QString& indicatifStation);

    // The commands to send, in order: the pieces between ";", blanks around
    // them removed, empty ones left out.
    QStringList listeCommandes() const;

    // Why a node cannot be reached with these settings, in French; empty
    // when they can be tried. Nothing that would break the node's lines is
    // sent: the callsign and the commands are one line each.
    QString defaut() const;

    bool operator==(const ReglagesCluster&) const = default;
};

Q_DECLARE_METATYPE(ReglagesCluster)
