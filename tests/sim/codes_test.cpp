// What the code table must mean for a player, whatever its layout.

#include "codes.h"

#include <climits>
#include <gtest/gtest.h>
#include <map>

TEST(ActionCodes, EveryToolTreatsAndEveryTreatmentHasOneWay)
{
    std::map<ActionCode, int> ways;
    for (ToolId tool = 1; tool <= toolCount; ++tool) {
        int treats = 0;
        for (PickTarget target : {TargetHead, TargetShin, TargetTorso}) {
            const ActionCode code = actionCodeFor(target, tool);
            treats += code != NoAction;
            ways[code] += code != NoAction;
        }
        EXPECT_EQ(treats, 1) << toolNodeName(tool) << " treats no body part, or several";
    }
    for (ActionCode code = 3; code <= 14; ++code)
        EXPECT_EQ(ways[code], code == 12 ? 0 : 1) << "code " << code;
    for (ToolId tool : {INT_MIN, -1, 0, 12, INT_MAX}) {
        for (PickTarget target : {TargetHead, TargetShin, TargetTorso})
            EXPECT_EQ(actionCodeFor(target, tool), NoAction) << "tool " << tool;
        for (const auto &[target, code] :
             {std::pair{TargetInfusion, 1}, {TargetTransfusion, 2}, {TargetOp, 15}})
            EXPECT_EQ(actionCodeFor(target, tool), code);
    }
    EXPECT_EQ(actionCodeFor(INT_MAX, Defi), NoAction);
}
