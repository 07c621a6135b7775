#include "scenario.h"

std::array<TreatmentEffects, 16> Scenario::defaultTreatments()
{
    const Effect fluidHelps{150, -2, -2}, fluidBeforeShock{-20, 0, 0}, fluidAgain{-40, 1, 0};
    const Effect wrongDressing{-20, 0, 0};
    std::array<TreatmentEffects, 16> table{};
    auto row = [&table](Behandlung b) -> TreatmentEffects & { return table[actionCode(b)]; };
    row(Behandlung::Infusion) = {fluidHelps, fluidBeforeShock, fluidAgain};
    row(Behandlung::Transfusion) = {fluidHelps, fluidBeforeShock, fluidAgain};
    row(Behandlung::Pflaster) = {{100, -1, 0}, wrongDressing, {}};
    row(Behandlung::Druckverband) = {{100, -1, 0}, wrongDressing, {}};
    row(Behandlung::Naht) = {{200, -3, 0}, wrongDressing, {}};
    row(Behandlung::Wundreinigung) = {{150, -2, 0}, {}, {50, 0, 0}};
    row(Behandlung::Schmerzmittel).helps = {100, -1, -1};
    row(Behandlung::Antidurchfallmittel).helps = {-40, 1, 1};
    row(Behandlung::Antibrechmittel).helps = {-40, 1, 1};
    row(Behandlung::Paracetamol).helps = {-60, 2, 2};
    row(Behandlung::Blutdrucksenker).helps = {-60, 2, 2};
    row(Behandlung::Sauerstoff).helps = {-20, 0, 0};
    row(Behandlung::Defibrillation).helps = {-80, 3, 3};
    return table;
}
