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

// The treatments the action codes stand for, as the code table names them.
enum class Behandlung : ActionCode {
    Infusion = 1,
    Transfusion = 2,
    Pflaster = 3,
    Druckverband = 4,
    Naht = 5,
    Wundreinigung = 6,
    Schmerzmittel = 7,
    Antidurchfallmittel = 8,
    Antibrechmittel = 9,
    Paracetamol = 10,
    Blutdrucksenker = 11,
    Unbelegt = 12, // no click makes it, and it changes nothing
    Sauerstoff = 13,
    Defibrillation = 14,
    OP = 15,
};

constexpr ActionCode actionCode(Behandlung treatment)
{
    return static_cast<ActionCode>(treatment);
}

// Returned by actionCodeFor when the combination means no treatment.
constexpr ActionCode NoAction = 0;

// The treatment that applying `tool` to `target` means, or NoAction.
ActionCode actionCodeFor(PickTarget target, ToolId tool);

// Scene node name of tool 1..11 and of target 1..6; nullptr outside the range.
const char *toolNodeName(ToolId tool);
const char *targetNodeName(PickTarget target);
