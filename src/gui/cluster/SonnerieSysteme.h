#pragma once

#include "core/cluster/Sonnerie.h"

// The system's beep.
class SonnerieSysteme : public Sonnerie {
public:
    void sonne() override;
};
