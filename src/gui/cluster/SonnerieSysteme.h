#pragma once

#include "core/platform/Sonnerie.h"

// The system's beep.
class SonnerieSysteme : public Sonnerie {
public:
    void sonne() override;
};
