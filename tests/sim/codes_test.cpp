// The code table that turns a click target and the tool in hand into a
// treatment, including targets and tools outside their ranges.

#include "codes.h"

#include <climits>
#include <gtest/gtest.h>

// Rows: targets 0 to 7 (1..6 are Head, L_Shin1, Torso, Infusion, Transfusion,
// OP); columns: tools -1 to 12 (0 is the empty hand). 0 = no treatment.
TEST(ActionCodes, EveryTargetWithEveryTool)
{
    // clang-format off
    const ActionCode expected[8][14] = {
        // -1  0   1   2   3   4   5   6   7   8   9  10  11  12
        {  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0},
        {  0,  0,  7,  8,  9, 10, 11,  0,  0,  0,  0, 13,  0,  0}, // Head
        {  0,  0,  0,  0,  0,  0,  0,  3,  4,  5,  6,  0,  0,  0}, // L_Shin1
        {  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 14,  0}, // Torso
        {  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1}, // Infusion
        {  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2,  2}, // Transfusion
        { 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15}, // OP
        {  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0},
    };
    // clang-format on
    for (PickTarget target = 0; target <= 7; ++target)
        for (ToolId tool = -1; tool <= 12; ++tool)
            EXPECT_EQ(actionCodeFor(target, tool), expected[target][tool + 1])
                << "target " << target << " with tool " << tool;
    EXPECT_EQ(actionCodeFor(TargetHead, INT_MIN), NoAction);
    EXPECT_EQ(actionCodeFor(INT_MAX, Defi), NoAction);
}
