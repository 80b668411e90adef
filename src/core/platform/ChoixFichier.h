#pragma once

#include <QString>

// The choice of a file to open or of a folder, made by the user in the
// platform's file dialog; tests give their own answer.
class ChoixFichier {
public:
    virtual ~ChoixFichier() = default;
    // The path of the file chosen, starting in the folder, among the files
    // that the filter names ("Fichiers ADIF (*.adi *.adif)"); empty when the
    // user cancelled.
    virtual QString fichierAOuvrir(const QString& titre, const QString& dossier,
                                   const QString& filtre) = 0;
    // The path of the folder chosen, starting in `dossier`; empty when the
    // user cancelled.
    virtual QString dossierAChoisir(const QString& titre, const QString& dossier) = 0;
};
