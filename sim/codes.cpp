#include "codes.h"

ActionCode actionCodeFor(PickTarget target, ToolId tool)
{
    // The five medicines and the four wound tools lie in the same order
    // among the tools as their treatments among the codes.
    switch (target) {
    case TargetHead:
        if (tool >= Schmerzmittel && tool <= Blutdrucksenker)
            return tool - Schmerzmittel + actionCode(Behandlung::Schmerzmittel);
        if (tool == O2)
            return actionCode(Behandlung::Sauerstoff);
        return NoAction;
    case TargetShin:
        if (tool >= Pflaster && tool <= Reinigen)
            return tool - Pflaster + actionCode(Behandlung::Pflaster);
        return NoAction;
    case TargetTorso: return tool == Defi ? actionCode(Behandlung::Defibrillation) : NoAction;
    case TargetInfusion: return actionCode(Behandlung::Infusion);
    case TargetTransfusion: return actionCode(Behandlung::Transfusion);
    case TargetOp: return actionCode(Behandlung::OP);
    default: return NoAction;
    }
}

const char *toolNodeName(ToolId tool)
{
    static const char *const names[toolCount] = {
        "Schmerzmittel", "Antidurchfallmittel", "Antibrechmittel", "Paracetamol", "Blutdrucksenker",
        "Pflaster",      "Druckverband",        "Nadel",           "Reinigen",    "O2",
        "Defi"};
    return tool >= 1 && tool <= toolCount ? names[tool - 1] : nullptr;
}

const char *targetNodeName(PickTarget target)
{
    static const char *const names[targetCount] = {"Head",     "L_Shin1",     "Torso",
                                                   "Infusion", "Transfusion", "OP"};
    return target >= 1 && target <= targetCount ? names[target - 1] : nullptr;
}
