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
    log.events.push_back({step, EventKind::Treatment, code});
    before = watch();
}

void CourseLog::stepped(int step, const Readings &readings)
{
    if (before.complicationActive == 0 && patient.complicationActive == 1)
        log.events.push_back({step, EventKind::ShockStart, 0});
    if (patient.bleedingStage > before.bleedingStage)
        log.events.push_back({step, EventKind::BleedingRise, patient.bleedingStage});
    if (before.alive && !patient.alive)
        log.events.push_back({step, EventKind::Death, 0});
    log.steps.push_back({step, patient.score, patient.health, patient.alive, patient.shock,
                         patient.bleedingStage, patient.circulation, patient.respiration,
                         readings.heartRate, readings.systolic, diastolicFor(readings.systolic),
                         readings.temperature, readings.respiratoryRate});
    before = watch();
}
