#pragma once

#include <QString>

#include <functional>

// The windows that follow the current station ask for it each time; a test
// that keeps one station gives it as this.
inline std::function<QString()> stationFixe(const QString& indicatif)
{
    return [indicatif] { return indicatif; };
}
