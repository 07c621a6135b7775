#pragma once

// The code tables that join the 3D scene to the simulation: which tool the
// player holds, which object a click hit, and which treatment the two mean.

using ToolId = int;     // 0: empty hand, 1..11: the tools below
using ActionCode = int; // the treatment handed to Level::treat

enum Tool : ToolId {
    NoTool = 0,
    Schmerzmittel = 1,
    Antidurchfallmittel = 2,
    Antibrechmittel = 3,
    Paracetamol = 4,
    Blutdrucksenker = 5,
    Pflaster = 6,
    Druckverband = 7,
    Nadel = 8,
    Reinigen = 9,
    O2 = 10,
    Defi = 11,
};
constexpr int toolCount = 11;

using PickTarget = int;
enum Target : PickTarget {
    TargetHead = 1,
    TargetShin = 2,
    TargetTorso = 3,
    TargetInfusion = 4,
    TargetTransfusion = 5,
    TargetOp = 6,
};
constexpr int targetCount = 6;

// Returned by actionCodeFor when the combination means no treatment.
constexpr ActionCode NoAction = 0;

// The treatment that applying `tool` to `target` means, or NoAction.
ActionCode actionCodeFor(PickTarget target, ToolId tool);

// Scene node name of tool 1..11 and of target 1..6; nullptr outside the range.
const char *toolNodeName(ToolId tool);
const char *targetNodeName(PickTarget target);
