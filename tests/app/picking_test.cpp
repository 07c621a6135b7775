// Clicking in the 3D view: the pick line, taking tools in hand, applying them
// to the patient and the treatment objects, and which events pick at all.

#include "gamefixture.h"

#include "fenster.h"
#include "level.h"
#include "scenestate.h"

#include <QAction>
#include <QLabel>

#include <sstream>
#include <string>

namespace
{
const char *const toolNames[] = {
    "Schmerzmittel", "Antidurchfallmittel", "Antibrechmittel", "Paracetamol", "Blutdrucksenker",
    "Pflaster",      "Druckverband",        "Nadel",           "Reinigen",    "O2",
    "Defi"};

// The room: a row of 20 by 20 boards whose fronts face +z at z = -2, one every
// 40 units along x at the height of 150. Names sit at different depths of the
// graph: on the shape itself, on its separator, on a group above an unnamed
// separator; the tools sit on a named shelf, which their own names hide.
const char *const objects[] = {"Head",
                               "L_Shin1",
                               "Torso",
                               "Infusion",
                               "Transfusion",
                               "OP",
                               "",
                               "Lamp",
                               "Schmerzmittel",
                               "Antidurchfallmittel",
                               "Antibrechmittel",
                               "Paracetamol",
                               "Blutdrucksenker",
                               "Pflaster",
                               "Druckverband",
                               "Nadel",
                               "Reinigen",
                               "O2",
                               "Defi"};
const int objectCount = sizeof(objects) / sizeof(objects[0]);
const float rowHeight = 150;

float xOf(const std::string &name)
{
    for (int i = 0; i < objectCount; ++i)
        if (name == objects[i])
            return 40.0f * static_cast<float>(i);
    ADD_FAILURE() << "no object " << name;
    return 0;
}

std::string board(int i)
{
    std::ostringstream text;
    text << "Translation { translation " << 40 * i << " " << rowHeight << " -3 } "
         << "Cube { width 20 height 20 depth 2 }";
    return text.str();
}

std::string room()
{
    std::ostringstream text;
    text << "#Inventor V2.1 ascii\nSeparator {\n";
    text << "Separator { Translation { translation 0 150 -3 } "
            "DEF Head Cube { width 20 height 20 depth 2 } }\n";
    text << "DEF L_Shin1 Separator { " << board(1) << " }\n";
    text << "Separator { Translation { translation 80 150 -3 } "
            "DEF Torso Group { Separator { Cube { width 20 height 20 depth 2 } } } }\n";
    for (int i = 3; i <= 7; ++i) {
        const std::string name = objects[i];
        text << (name.empty() ? std::string() : "DEF " + name + " ") << "Separator { " << board(i)
             << " }\n";
    }
    text << "DEF Shelf Separator {\n";
    for (int i = 8; i < objectCount; ++i)
        text << "  DEF " << objects[i] << " Separator { " << board(i) << " }\n";
    text << "}\n}\n";
    return text.str();
}

// The line a hit on `name` at (x, y) on the boards' front writes.
std::string hitLine(const std::string &name, float x, float y)
{
    std::ostringstream line;
    line << name << " an Pos: " << x << "," << y << ",-2.\n";
    return line.str();
}

// Aims the view's centre at (x, y) on the boards and clicks there.
void clickAt(float x, float y)
{
    lookAlongMinusZ(x, y, 100);
    click(viewCentre());
}

// Clicks an object a little off its middle; returns the line it writes.
std::string clickObject(const std::string &name)
{
    const float x = xOf(name) + 1.5f;
    const float y = rowHeight + 1.25f;
    clickAt(x, y);
    return hitLine(name, x, y);
}
} // namespace

class PickingTest : public GameTest
{
  protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeScene(room());
        writeIcons();
    }
};

TEST_F(PickingTest, PickLineGivesTheNameAndTheWorldPoint)
{
    struct Case {
        float x;
        float y;
        const char *line;
    };
    const Case cases[] = {{1.5f, 151.25f, "Head an Pos: 1.5,151.25,-2.\n"},
                          {-0.25f, 150.125f, "Head an Pos: -0.25,150.125,-2.\n"},
                          {1.234567f, 145, "Head an Pos: 1.23457,145,-2.\n"},
                          {-9.875f, 159.5f, "Head an Pos: -9.875,159.5,-2.\n"},
                          {41, 141, "L_Shin1 an Pos: 41,141,-2.\n"}};
    runWindow([&] {
        startGame();
        takeOutput();
        for (const Case &c : cases) {
            SCOPED_TRACE(c.line);
            clickAt(c.x, c.y);
            EXPECT_EQ(takeOutput(), c.line);
        }
    });
}

class ToolPickTest : public PickingTest, public ::testing::WithParamInterface<int>
{
};

// A tool's own name wins over the shelf it stands on.
TEST_P(ToolPickTest, TakesTheToolInHandAndShowsItsIcon)
{
    const int tool = GetParam();
    runWindow([&] {
        startGame();
        takeOutput();
        const std::string line = clickObject(toolNames[tool - 1]);
        EXPECT_EQ(takeOutput(), line + std::to_string(tool));
        EXPECT_EQ(mainWindow->currentTool, tool);
        EXPECT_EQ(toolLabelColour(), iconColour(tool));
    });
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolPickTest, ::testing::Range(1, 12),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(toolNames[info.param - 1]);
                         });

TEST_F(PickingTest, LaterToolReplacesTheOneInHand)
{
    runWindow([&] {
        startGame();
        takeOutput();
        const std::string first = clickObject("Schmerzmittel");
        const std::string second = clickObject("Nadel");
        EXPECT_EQ(takeOutput(), first + "1" + second + "8");
        EXPECT_EQ(mainWindow->currentTool, 8);
        EXPECT_EQ(toolLabelColour(), iconColour(8)) << "the naehen.bmp icon";
        EXPECT_EQ(mainWindow->level->score, 0);
    });
}

struct Treatment {
    const char *name;
    int tool;
    const char *target;
    const char *code;
    int score;
};

void PrintTo(const Treatment &treatment, std::ostream *out)
{
    *out << treatment.name;
}

class TreatmentTest : public PickingTest, public ::testing::WithParamInterface<Treatment>
{
};

// The scenario writes each code it receives; its score shows that it acted.
// Whatever happened, the hand is empty afterwards.
TEST_P(TreatmentTest, HandsTheCodeToTheScenarioAndEmptiesTheHand)
{
    const Treatment t = GetParam();
    runWindow([&] {
        startGame();
        takeOutput();
        std::string expected;
        if (t.tool != 0)
            expected = clickObject(toolNames[t.tool - 1]) + std::to_string(t.tool);
        expected += clickObject(t.target) + t.code;
        EXPECT_EQ(takeOutput(), expected);
        EXPECT_EQ(mainWindow->level->score, t.score);
        EXPECT_EQ(mainWindow->currentTool, 0);
        EXPECT_EQ(toolLabelColour(), noPicture);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TreatmentTest,
    ::testing::Values(Treatment{"EmptyHandInfusion", 0, "Infusion", "1", -20},
                      Treatment{"EmptyHandTransfusion", 0, "Transfusion", "2", -20},
                      Treatment{"EmptyHandOp", 0, "OP", "15", 0},
                      Treatment{"PlasterOnInfusion", 6, "Infusion", "1", -20},
                      Treatment{"DefiOnOp", 11, "OP", "15", 0},
                      Treatment{"SchmerzmittelOnHead", 1, "Head", "7", 100},
                      Treatment{"AntidurchfallmittelOnHead", 2, "Head", "8", -40},
                      Treatment{"AntibrechmittelOnHead", 3, "Head", "9", -40},
                      Treatment{"ParacetamolOnHead", 4, "Head", "10", -60},
                      Treatment{"BlutdrucksenkerOnHead", 5, "Head", "11", -60},
                      Treatment{"O2OnHead", 10, "Head", "13", -20},
                      Treatment{"PlasterOnHead", 6, "Head", "", 0},
                      Treatment{"DefiOnHead", 11, "Head", "", 0},
                      Treatment{"EmptyHandOnHead", 0, "Head", "", 0},
                      Treatment{"PlasterOnShin", 6, "L_Shin1", "3", 100},
                      Treatment{"DruckverbandOnShin", 7, "L_Shin1", "4", -20},
                      Treatment{"NadelOnShin", 8, "L_Shin1", "5", -20},
                      Treatment{"ReinigenOnShin", 9, "L_Shin1", "6", 150},
                      Treatment{"O2OnShin", 10, "L_Shin1", "", 0},
                      Treatment{"SchmerzmittelOnShin", 1, "L_Shin1", "", 0},
                      Treatment{"EmptyHandOnShin", 0, "L_Shin1", "", 0},
                      Treatment{"DefiOnTorso", 11, "Torso", "14", -80},
                      Treatment{"O2OnTorso", 10, "Torso", "", 0},
                      Treatment{"EmptyHandOnTorso", 0, "Torso", "", 0}),
    [](const ::testing::TestParamInfo<Treatment> &info) { return info.param.name; });

TEST_F(PickingTest, PlasterOnTheShinStopsTheBleeding)
{
    runWindow([&] {
        startGame();
        ASSERT_EQ(mainWindow->level->bleedingStage, 1);
        clickObject("Pflaster");
        clickObject("L_Shin1");
        EXPECT_EQ(mainWindow->level->bleedingStage, 0);
    });
}

// A hit on something the game has no name for writes its line and changes
// nothing: the tool stays in hand.
TEST_F(PickingTest, UnknownHitsOnlyWriteTheirLine)
{
    runWindow([&] {
        startGame();
        clickObject("Druckverband");
        takeOutput();
        ASSERT_EQ(xOf(""), 240);
        clickAt(241.5f, 151.25f);
        EXPECT_EQ(takeOutput(), " an Pos: 241.5,151.25,-2.\n");
        const std::string lamp = clickObject("Lamp");
        EXPECT_EQ(takeOutput(), lamp);
        EXPECT_EQ(mainWindow->currentTool, 7);
        EXPECT_EQ(toolLabelColour(), iconColour(7));
        EXPECT_EQ(mainWindow->level->score, 0);
    });
}

TEST_F(PickingTest, ClickOnEmptyBackgroundWritesNothing)
{
    runWindow([&] {
        startGame();
        clickObject("O2");
        takeOutput();
        clickAt(20, 150);   // the gap between two boards
        clickAt(0, 400);    // above the row
        clickAt(-500, 150); // beyond its end
        EXPECT_EQ(takeOutput(), "");
        EXPECT_EQ(mainWindow->currentTool, 10);
        EXPECT_EQ(toolLabelColour(), iconColour(10));
    });
}

// Presses of any mouse button and of any key but Up and Down pick; a key
// picks where the mouse last was in the view. Releases never pick.
TEST_F(PickingTest, PressesPickReleasesAndWalkingKeysDoNot)
{
    struct Case {
        const char *name;
        void (*send)();
        bool picks;
    };
    const Case cases[] = {
        {"left press", [] { pressButton(viewCentre(), Qt::LeftButton); }, true},
        {"right press", [] { pressButton(viewCentre(), Qt::RightButton); }, true},
        {"middle press", [] { pressButton(viewCentre(), Qt::MiddleButton); }, true},
        {"left release", [] { releaseButton(viewCentre(), Qt::LeftButton); }, false},
        {"right release", [] { releaseButton(viewCentre(), Qt::RightButton); }, false},
        {"Up", [] { pressKey(Qt::Key_Up); }, false},
        {"Down", [] { pressKey(Qt::Key_Down); }, false},
        {"A", [] { pressKey(Qt::Key_A, QStringLiteral("a")); }, true},
        {"A released", [] { releaseKey(Qt::Key_A, QStringLiteral("a")); }, false},
        {"Escape", [] { pressKey(Qt::Key_Escape); }, true},
        {"A with the mouse in the corner",
         [] {
             moveMouse(QPoint(5, 5));
             pressKey(Qt::Key_A, QStringLiteral("a"));
         },
         false},
    };
    runWindow([&] {
        startGame();
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            lookAlongMinusZ(1.5f, 151.25f, 100);
            lastCursorX = -1;
            moveMouse(viewCentre());
            takeOutput();
            c.send();
            EXPECT_EQ(takeOutput(), c.picks ? "Head an Pos: 1.5,151.25,-2.\n" : "");
            lastCursorX = -1;
        }
    });
}

// Ids outside the tool table and unknown targets cannot come from a click,
// yet both routines stay safe with them.
TEST_F(PickingTest, OutOfRangeToolAndTargetChangeNothingButTheHand)
{
    runWindow([&] {
        startGame();
        clickObject("Reinigen");
        takeOutput();
        mainWindow->selectTool(0);
        mainWindow->selectTool(12);
        EXPECT_EQ(takeOutput(), "012");
        EXPECT_EQ(mainWindow->currentTool, 9);
        mainWindow->applyTool(7);
        EXPECT_EQ(takeOutput(), "");
        EXPECT_EQ(mainWindow->currentTool, 0);
        EXPECT_EQ(toolLabelColour(), noPicture);
        EXPECT_EQ(mainWindow->level->score, 0);
    });
}

// A tool picked in one game is still in hand in the next.
TEST_F(PickingTest, ToolStaysInHandAcrossGames)
{
    runWindow([&] {
        startGame();
        clickObject("Paracetamol");
        mainWindow->endAction->trigger();
        startGame();
        EXPECT_EQ(mainWindow->currentTool, 4);
        takeOutput();
        const std::string line = clickObject("Head");
        EXPECT_EQ(takeOutput(), line + "10");
    });
}
