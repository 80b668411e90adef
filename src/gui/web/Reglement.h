#pragma once

#include "core/app/Services.h"

#include <QWidget>

class VueWeb;

// The rules of the award, from the award's site.
class Reglement : public QWidget {
    Q_OBJECT
public:
    explicit Reglement(const Services& services, QWidget* parent = nullptr);

    // Opens the window, or brings forward the one already open.
    static Reglement* ouvreFenetre(const Services& services, QWidget* parent = nullptr);

    VueWeb* WebBrowser1;
};
