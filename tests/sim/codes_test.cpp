#include "codes.h"

#include <climits>
#include <gtest/gtest.h>

namespace
{
constexpr PickTarget targets[] = {TargetHead,     TargetShin,        TargetTorso,
                                  TargetInfusion, TargetTransfusion, TargetOp};
} // namespace

// Rows: the six targets; columns: tools 0 (empty hand) to 11. 0 = no treatment.
TEST(ActionCodes, EveryTargetWithEveryTool)
{
    // clang-format off
    const ActionCode expected[6][12] = {
        // 0   1   2   3   4   5   6   7   8   9  10  11
        {  0,  7,  8,  9, 10, 11,  0,  0,  0,  0, 13,  0}, // Head
        {  0,  0,  0,  0,  0,  0,  3,  4,  5,  6,  0,  0}, // L_Shin1
        {  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 14}, // Torso
        {  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1}, // Infusion
        {  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2}, // Transfusion
        { 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15}, // OP
    };
    // clang-format on
    for (int t = 0; t < 6; ++t)
        for (ToolId tool = 0; tool <= 11; ++tool)
            EXPECT_EQ(actionCodeFor(targets[t], tool), expected[t][tool])
                << targetNodeName(targets[t]) << " with tool " << tool;
}

TEST(ActionCodes, UnknownToolsTreatNoBodyPart)
{
    for (ToolId tool : {-1, 12, 13, 100, INT_MIN, INT_MAX}) {
        EXPECT_EQ(actionCodeFor(TargetHead, tool), NoAction) << tool;
        EXPECT_EQ(actionCodeFor(TargetShin, tool), NoAction) << tool;
        EXPECT_EQ(actionCodeFor(TargetTorso, tool), NoAction) << tool;
        // The treatment objects do not care what is in hand.
        EXPECT_EQ(actionCodeFor(TargetInfusion, tool), 1) << tool;
        EXPECT_EQ(actionCodeFor(TargetTransfusion, tool), 2) << tool;
        EXPECT_EQ(actionCodeFor(TargetOp, tool), 15) << tool;
    }
}

TEST(ActionCodes, UnknownTargetsGiveNothing)
{
    for (PickTarget target : {0, -1, 7, INT_MIN, INT_MAX})
        for (ToolId tool = -1; tool <= 12; ++tool)
            EXPECT_EQ(actionCodeFor(target, tool), NoAction) << target << "/" << tool;
}

TEST(ActionCodes, NoCombinationProducesCode12OrOutOfRangeCodes)
{
    for (PickTarget target = 0; target <= 7; ++target)
        for (ToolId tool = -1; tool <= 12; ++tool) {
            const ActionCode code = actionCodeFor(target, tool);
            EXPECT_TRUE(code == NoAction || (code >= 1 && code <= 15 && code != 12))
                << target << "/" << tool << " gives " << code;
        }
}

TEST(NodeNames, NameTheSceneObjects)
{
    const char *const tools[] = {
        "Schmerzmittel", "Antidurchfallmittel", "Antibrechmittel", "Paracetamol", "Blutdrucksenker",
        "Pflaster",      "Druckverband",        "Nadel",           "Reinigen",    "O2",
        "Defi"};
    for (ToolId tool = 1; tool <= 11; ++tool)
        EXPECT_STREQ(toolNodeName(tool), tools[tool - 1]);
    const char *const names[] = {"Head", "L_Shin1", "Torso", "Infusion", "Transfusion", "OP"};
    for (int t = 0; t < 6; ++t)
        EXPECT_STREQ(targetNodeName(targets[t]), names[t]);
    for (int outside : {0, -1, 12, INT_MIN})
        EXPECT_EQ(toolNodeName(outside), nullptr) << outside;
    for (int outside : {0, -1, 7, INT_MAX})
        EXPECT_EQ(targetNodeName(outside), nullptr) << outside;
}
