#pragma once

#include <QString>

// The choice of a file to open, made by the user in the platform's file
// dialog; tests give their own answer.
class ChoixFichier {
public:
    virtual ~ChoixFichier() = default;
    // The path of the file chosen, starting in the folder, among the files
    // that the filter names ("Fichiers ADIF (*.adi *.adif)"); empty when the
    // user cancelled.
    virtual QString fichierAOuvrir(const QString& titre, const QString& dossier,
                                   const QString& filtre) = 0;
};
