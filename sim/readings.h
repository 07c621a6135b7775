#pragma once

class Level;

// What the monitor shows after a scenario step. The readings draw from the
// shared random sequence, so takeReadings fixes the order in which they are
// taken; the game clock and the headless runner both go through it.
struct Readings {
    int ekgMode;
    int respiratoryRate;
    float temperature;
    int systolic;
    int heartRate;
};

Readings takeReadings(const Level &level);

// The diastolic pressure the monitor derives from the systolic reading.
inline int diastolicFor(int systolic)
{
    return 2 * systolic / 3;
}
