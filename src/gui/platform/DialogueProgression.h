#pragma once

#include "core/platform/Attente.h"

class QWidget;

// The platform's progress window: the work runs in a thread of its own
// while the windows keep being drawn. The window shows, modal, once the work
// has taken more than a moment (a short one never flashes a window; the
// keys and clicks of that moment wait for it), with a bar and "Annuler",
// which asks the work to stop and waits for it to end.
class DialogueProgression : public Attente {
public:
    explicit DialogueProgression(QWidget* parent = nullptr) : m_parent(parent) {}
    void execute(const QString& texte,
                 const std::function<void(Progression& progression)>& travail) override;

    // How long the work runs before the window shows.
    static constexpr int delaiAffichageMs = 400;

private:
    QWidget* m_parent;
};
