#pragma once

// The sound of an alert: the system's beep in the program, a counter in the
// tests, so that they run silent.
class Sonnerie {
public:
    virtual ~Sonnerie() = default;
    virtual void sonne() = 0;
};
