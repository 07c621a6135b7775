#include "level.h"

#include "random.h"

int Level::jittered(int value) const
{
    if (!alive)
        return 0;
    const double j = randomRange(0.0f, 0.05f);
    return static_cast<int>(value * (1.0 + j));
}

int Level::readHeartRate() const
{
    return jittered(heartRate);
}

int Level::readRespiratoryRate() const
{
    return jittered(respiratoryRate);
}

int Level::readSystolic() const
{
    return jittered(systolic);
}

float Level::readTemperature() const
{
    if (!alive)
        return temperature;
    const double j = randomRange(0.0f, 0.01f);
    return static_cast<float>(temperature * (1.0 + j));
}
