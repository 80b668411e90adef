#pragma once

#include <QtPlugin>

#include <functional>

class QUrl;
class QWidget;

// What the web-view module offers. The module links the web engine, so that
// the program itself does not load it until a page is shown; this interface
// is all that the two know of each other.
class FabriqueVueWeb {
public:
    virtual ~FabriqueVueWeb() = default;
    // A new web view, child of parent; chargee is called at the end of every
    // page load with its success.
    virtual QWidget* cree(QWidget* parent, std::function<void(bool)> chargee) = 0;
    // Navigates the view made by cree to the address.
    virtual void ouvre(QWidget* vue, const QUrl& adresse) = 0;
};

#define FabriqueVueWeb_iid "RQN_KZT.FabriqueVueWeb/1.0"
Q_DECLARE_INTERFACE(FabriqueVueWeb, FabriqueVueWeb_iid)
