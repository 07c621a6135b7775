#include "readings.h"

#include "level.h"

Readings takeReadings(const Level &level)
{
    Readings r{};
    r.ekgMode = level.ekgMode;
    r.respiratoryRate = level.readRespiratoryRate();
    r.temperature = level.readTemperature();
    r.systolic = level.readSystolic();
    r.heartRate = level.readHeartRate();
    return r;
}
