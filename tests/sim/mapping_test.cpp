#include "patient_state.h"

#include <cmath>
#include <gtest/gtest.h>

struct Mapping {
    float circulation;
    float respiration;
    int heartRate;
    int systolic;
    int respiratoryRate;
    float temperature;
};

std::ostream &operator<<(std::ostream &out, const Mapping &m)
{
    return out << "reserves " << m.circulation << "/" << m.respiration;
}

class VitalSigns : public testing::TestWithParam<Mapping>
{
};

// The vital signs follow the reserves as they stand before the second's drain.
TEST_P(VitalSigns, FollowTheReservesOnTheNextTick)
{
    const Mapping &m = GetParam();
    Game game;
    game.patient.circulation = m.circulation;
    game.patient.respiration = m.respiration;
    game.patient.tick();
    EXPECT_EQ(game.patient.heartRate, m.heartRate);
    EXPECT_EQ(game.patient.systolic, m.systolic);
    EXPECT_EQ(game.patient.respiratoryRate, m.respiratoryRate);
    EXPECT_EQ(game.patient.temperature, m.temperature);
    EXPECT_EQ(game.patient.health,
              static_cast<float>(std::sqrt(static_cast<double>(m.circulation * m.respiration))));
}

INSTANTIATE_TEST_SUITE_P(
    BothReservesAlike, VitalSigns,
    testing::Values(Mapping{130, 130, 75, 150, 19, 37.5f}, Mapping{110, 110, 85, 130, 16, 36.5f},
                    Mapping{100, 100, 90, 120, 15, 36.5f}, Mapping{90, 90, 95, 116, 14, 36.5f},
                    Mapping{80, 80, 100, 112, 13, 36.5f}, Mapping{60, 60, 110, 104, 11, 35.5f},
                    Mapping{40, 40, 120, 96, 9, 35.5f}, Mapping{20, 20, 130, 88, 7, 34.5f},
                    Mapping{1, 1, 139, 81, 6, 34.5f}));

// Heart rate and pressure follow circulation, respiratory rate and temperature
// follow respiration; the rows sit on either side of a truncation step.
INSTANTIATE_TEST_SUITE_P(ReservesApart, VitalSigns,
                         testing::Values(Mapping{60, 130, 110, 104, 19, 37.5f},
                                         Mapping{130, 60, 75, 150, 11, 35.5f},
                                         Mapping{101, 100.5f, 90, 121, 15, 36.5f},
                                         Mapping{102, 128.5f, 89, 122, 19, 36.5f},
                                         Mapping{99.5f, 60.5f, 90, 120, 12, 36.5f},
                                         Mapping{97.5f, 129, 91, 119, 19, 37.5f},
                                         Mapping{50, 20.5f, 115, 100, 8, 35.5f}));

TEST(VitalSigns, HealthIsTheRootOfTheFloatProduct)
{
    Game game;
    game.patient.circulation = 64;
    game.patient.respiration = 25;
    game.patient.tick();
    EXPECT_EQ(game.patient.health, 40.0f);
}
