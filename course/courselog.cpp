#include "courselog.h"

#include "fraktur.h"
#include "readings.h"

CourseLog::CourseLog(const Fraktur &patient) : patient(patient), before(watch()) {}

CourseLog::Watched CourseLog::watch() const
{
    return {patient.complicationActive, patient.bleedingStage, patient.alive};
}

void CourseLog::treated(int step, ActionCode code)
{
    treatments.push_back({step, EventKind::Treatment, code});
    before = watch();
}

std::vector<CourseEvent> CourseLog::stepped(int step, const Readings &readings)
{
    log.events.insert(log.events.end(), treatments.begin(), treatments.end());
    treatments.clear();
    std::vector<CourseEvent> struck;
    if (before.complicationActive == 0 && patient.complicationActive == 1)
        struck.push_back({step, EventKind::ShockStart, 0});
    if (patient.bleedingStage > before.bleedingStage)
        struck.push_back({step, EventKind::BleedingRise, patient.bleedingStage});
    if (before.alive && !patient.alive)
        struck.push_back({step, EventKind::Death, 0});
    log.events.insert(log.events.end(), struck.begin(), struck.end());
    log.steps.push_back({step, patient.score, patient.health, patient.alive, patient.shock,
                         patient.bleedingStage, patient.circulation, patient.respiration,
                         readings.heartRate, readings.systolic, diastolicFor(readings.systolic),
                         readings.temperature, readings.respiratoryRate});
    before = watch();
    return struck;
}
