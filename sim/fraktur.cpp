#include "fraktur.h"

#include "random.h"

#include <cmath>
#include <iostream>

namespace
{
const char *const fracturTitle = "Curavant Beta       Diagnose: Unterschenkelfraktur";
}

// The drain rates keep their initial 2 only until the first game starts.
Fraktur::Fraktur(int complicationDivisor)
    : complicationDivisor(static_cast<float>(complicationDivisor)), echo(&std::cout)
{
    restoreStartValues();
}

void Fraktur::reset()
{
    restoreStartValues();
    circulationLoss = 1;
    respirationLoss = 1;
}

void Fraktur::restoreStartValues()
{
    ekgMode = 0;
    alive = true;
    score = 0;
    bleedingStage = 1;
    inPain = true;
    health = 100;
    title = fracturTitle;
    heartRate = 90;
    respiratoryRate = 15;
    systolic = 120;
    temperature = 36.5f;
    complicationActive = 0;
    woundUncleaned = 1;
    painUntreated = 1;
    circulation = 100;
    respiration = 100;
}

bool Fraktur::tick()
{
    if (!(circulation > 0 && respiration > 0)) {
        health = 0;
        alive = false;
        ekgMode = -1;
        bleedingStage = 0;
        inPain = false;
        shock = false;
        return false;
    }
    mapRespiratoryRate(static_cast<float>(static_cast<double>(respiration) - 100));
    mapHeartRate(static_cast<float>(100 - static_cast<double>(circulation)));
    mapSystolic(static_cast<float>(static_cast<double>(circulation) - 100));
    mapTemperature(static_cast<float>(static_cast<double>(respiration) - 100));
    const float product = respiration * circulation;
    health = static_cast<float>(std::sqrt(static_cast<double>(product)));
    if (painUntreated != 0)
        inPain = true;
    rollComplication();
    shock = complicationActive == 1;
    circulation = static_cast<float>(circulation - 0.3 * circulationLoss);
    respiration = static_cast<float>(respiration - 0.3 * respirationLoss);
    return shock;
}

void Fraktur::mapHeartRate(float d)
{
    heartRate = 90 - static_cast<int>(d * -0.5);
}

void Fraktur::mapRespiratoryRate(float d)
{
    if (d > 0)
        respiratoryRate = 15 - static_cast<int>(d * -0.15);
    else
        respiratoryRate = 15 - static_cast<int>(d * -0.1);
}

void Fraktur::mapSystolic(float d)
{
    if (d > 0)
        systolic = 120 + static_cast<int>(static_cast<double>(d));
    else
        systolic = 120 - static_cast<int>(d * -0.4);
}

void Fraktur::mapTemperature(float d)
{
    const double factor = d > 0 ? 0.035 : 0.025;
    temperature = static_cast<float>(static_cast<int>(d * factor) + 36.5);
}

void Fraktur::rollComplication()
{
    const float bound = static_cast<float>(100.0 / complicationDivisor);
    const float v = randomRange(0.0f, bound);
    if (static_cast<int>(v) != 0)
        return;
    if (complicationActive == 0) {
        circulationLoss += 2;
        respirationLoss += 2;
        score -= 60;
        complicationActive = 1;
        infusionGiven = false;
        transfusionGiven = false;
    } else if (bleedingStage < 3) {
        circulationLoss += 1;
        score -= 40;
        bleedingStage += 1;
    }
}

bool Fraktur::endsShock(ActionCode code, bool shockActive, bool infusionGiven,
                        bool transfusionGiven)
{
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Infusion: return shockActive && !infusionGiven && transfusionGiven;
    case Behandlung::Transfusion: return shockActive && !transfusionGiven && infusionGiven;
    default: return false;
    }
}

int Fraktur::dressingStage(ActionCode code)
{
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Pflaster: return 1;
    case Behandlung::Druckverband: return 2;
    case Behandlung::Naht: return 3;
    default: return 0;
    }
}

bool Fraktur::stopsBleeding(ActionCode code, int stage)
{
    return dressingStage(code) != 0 && dressingStage(code) == stage;
}

// Infusion and transfusion: the first of each during a shock helps, a second
// one overloads.
void Fraktur::giveFluid(bool &given, bool shockEnds)
{
    if (given) {
        circulationLoss += 1;
        score -= 40;
    } else if (complicationActive == 1) {
        given = true;
        score += 150;
        circulationLoss -= 2;
        respirationLoss -= 2;
        if (shockEnds)
            complicationActive = 0;
    } else {
        given = true;
        score -= 20;
    }
}

// A dressing helps only at the bleeding stage it is made for.
void Fraktur::dress(ActionCode code, int lossDrop, int reward)
{
    if (stopsBleeding(code, bleedingStage)) {
        circulationLoss -= lossDrop;
        score += reward;
        bleedingStage = 0;
    } else {
        score -= 20;
    }
}

void Fraktur::changeLosses(int delta, int points)
{
    circulationLoss += delta;
    respirationLoss += delta;
    score += points;
}

void Fraktur::treat(ActionCode code)
{
    const bool shockEnds =
        endsShock(code, complicationActive == 1, infusionGiven, transfusionGiven);
    switch (static_cast<Behandlung>(code)) {
    case Behandlung::Infusion: giveFluid(infusionGiven, shockEnds); break;
    case Behandlung::Transfusion: giveFluid(transfusionGiven, shockEnds); break;
    case Behandlung::Pflaster:
    case Behandlung::Druckverband: dress(code, 1, 100); break;
    case Behandlung::Naht: dress(code, 3, 200); break;
    case Behandlung::Wundreinigung:
        if (woundUncleaned == 1) {
            circulationLoss -= 2;
            score += 150;
            woundUncleaned = 0;
        } else {
            score += 50;
        }
        break;
    case Behandlung::Schmerzmittel:
        changeLosses(-1, 100);
        painUntreated = 0;
        break;
    case Behandlung::Antidurchfallmittel:
    case Behandlung::Antibrechmittel: changeLosses(1, -40); break;
    case Behandlung::Paracetamol:
    case Behandlung::Blutdrucksenker: changeLosses(2, -60); break;
    case Behandlung::Sauerstoff: score -= 20; break;
    case Behandlung::Defibrillation: changeLosses(3, -80); break;
    case Behandlung::Unbelegt:
    case Behandlung::OP:
    default: break;
    }
    *echo << code;
}
