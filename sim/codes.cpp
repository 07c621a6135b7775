#include "codes.h"

ActionCode actionCodeFor(PickTarget target, ToolId tool)
{
    switch (target) {
    case TargetHead:
        if (tool >= Schmerzmittel && tool <= Blutdrucksenker)
            return tool + 6;
        if (tool == O2)
            return 13;
        return NoAction;
    case TargetShin:
        if (tool >= Pflaster && tool <= Reinigen)
            return tool - 3;
        return NoAction;
    case TargetTorso: return tool == Defi ? 14 : NoAction;
    case TargetInfusion: return 1;
    case TargetTransfusion: return 2;
    case TargetOp: return 15;
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
