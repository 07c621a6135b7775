#include "reference_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

namespace
{

// The patient after "Start!". Every conversion to int truncates toward zero.
struct Model {
    int ekg = 0, score = 0, bleeding = 1, heart = 90, breath = 15, pressure = 120;
    int circulationLoss = 1, respirationLoss = 1;
    bool alive = true, shock = false, complication = false, uncleaned = true;
    bool infusion = false, transfusion = false;
    float health = 100, temperature = 36.5f, circulation = 100, respiration = 100;
    std::uint32_t state = 1; // of the shared random sequence, restarted for each run

    // The next draw of the shared sequence, scaled to 0..high.
    float upTo(float high)
    {
        state = state * 214013u + 2531011u;
        return static_cast<float>(static_cast<double>(state >> 16 & 0x7fffu) / 32768.0 * high);
    }

    void lossBoth(int delta) { circulationLoss += delta, respirationLoss += delta; }

    void fluid(bool &self, bool other)
    {
        if (self)
            circulationLoss += 1, score -= 40;
        else if (complication)
            self = true, score += 150, lossBoth(-2), complication = !other;
        else
            self = true, score -= 20;
    }

    void dressing(int stage, int relief, int reward)
    {
        if (bleeding == stage)
            circulationLoss -= relief, score += reward, bleeding = 0;
        else
            score -= 20;
    }

    void treat(int code)
    {
        switch (code) {
        case 1: return fluid(infusion, transfusion);
        case 2: return fluid(transfusion, infusion);
        case 3: return dressing(1, 1, 100);
        case 4: return dressing(2, 1, 100);
        case 5: return dressing(3, 3, 200);
        case 6:
            circulationLoss -= uncleaned ? 2 : 0, score += uncleaned ? 150 : 50;
            uncleaned = false;
            return;
        case 7: lossBoth(-1), score += 100; return;
        case 8:
        case 9: lossBoth(1), score -= 40; return;
        case 10:
        case 11: lossBoth(2), score -= 60; return;
        case 13: score -= 20; return;
        case 14: lossBoth(3), score -= 80; return;
        }
    }

    void second()
    {
        if (!(circulation > 0) || !(respiration > 0)) {
            health = 0, alive = false, ekg = -1, bleeding = 0, shock = false;
            return;
        }
        const double breathing = static_cast<float>(respiration - 100.0);
        const double flow = static_cast<float>(circulation - 100.0);
        breath = 15 + int(breathing * (breathing > 0 ? 0.15 : 0.1));
        heart = 90 + int(static_cast<float>(100.0 - circulation) * 0.5);
        pressure = 120 + int(flow * (flow > 0 ? 1 : 0.4));
        temperature = static_cast<float>(36.5 + int(breathing * (breathing > 0 ? 0.035 : 0.025)));
        health = static_cast<float>(std::sqrt(static_cast<double>(respiration * circulation)));
        if (int(upTo(static_cast<float>(100.0 / 30.0f))) == 0) {
            if (!complication)
                lossBoth(2), score -= 60, complication = true, infusion = transfusion = false;
            else if (bleeding < 3)
                circulationLoss += 1, score -= 40, bleeding += 1;
        }
        shock = complication;
        circulation = static_cast<float>(circulation - 0.3 * circulationLoss);
        respiration = static_cast<float>(respiration - 0.3 * respirationLoss);
    }

    int jitter(int value) { return alive ? int(value * (1.0 + upTo(0.05f))) : 0; }
};

} // namespace

Reference referenceRun(int steps, std::vector<ScriptLine> script)
{
    Model m;
    std::string echo;
    std::stable_sort(script.begin(), script.end(),
                     [](const ScriptLine &a, const ScriptLine &b) { return a.step < b.step; });
    auto next = script.begin();
    std::ostringstream out;
    out.precision(9);
    out << "step,score,health,alive,shock,bleeding,circulation,respiration,circulation_loss,"
           "respiration_loss,heart_rate,systolic,diastolic,temperature,respiratory_rate,ekg_mode\n";
    for (int step = 1; step <= steps; ++step) {
        for (; next != script.end() && next->step == step; ++next) {
            m.treat(next->code);
            echo += std::to_string(next->code);
        }
        m.second();
        // The readings draw in this order: breath, temperature, pressure, heart.
        const int breath = m.jitter(m.breath);
        const float temperature =
            m.alive ? static_cast<float>(m.temperature * (1.0 + m.upTo(0.01f))) : m.temperature;
        const int pressure = m.jitter(m.pressure);
        const int heart = m.jitter(m.heart);
        out << step << ',' << m.score << ',' << m.health << ',' << m.alive << ',' << m.shock << ','
            << m.bleeding << ',' << m.circulation << ',' << m.respiration << ','
            << m.circulationLoss << ',' << m.respirationLoss << ',' << heart << ',' << pressure
            << ',' << pressure * 2 / 3 << ',' << temperature << ',' << breath << ',' << m.ekg
            << '\n';
    }
    return {out.str(), echo};
}
