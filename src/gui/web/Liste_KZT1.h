#pragma once

#include "core/app/Services.h"

#include <QDialog>
#include <QWidget>

class VueWeb;

// The list of the departments already activated, from the award's site.
// Modal: the main window waits until it is closed.
class Liste_KZT1 : public QDialog {
    Q_OBJECT
public:
    Liste_KZT1(const Services& services, QWidget* parent = nullptr);

    // Shows the window and returns when it is closed.
    static void ouvreFenetre(const Services& services, QWidget* parent);

    VueWeb* WebBrowser1;
};
