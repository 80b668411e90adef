#pragma once

#include "core/platform/BoiteMessage.h"

class QWidget;

// The message box shown to the user.
class BoiteMessageFenetre : public BoiteMessage {
public:
    explicit BoiteMessageFenetre(QWidget* parent = nullptr) : m_parent(parent) {}
    ReponseBoite montre(const QString& texte, Boutons boutons) override;

private:
    QWidget* m_parent;
};
