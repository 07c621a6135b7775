#include "reference_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

namespace
{

class Sequence
{
  public:
    int draw()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>(state >> 16 & 0x7fffu);
    }
    float within(float low, float high)
    {
        const int r = draw();
        const float width = high - low;
        return low + static_cast<float>(static_cast<double>(r) / 32768.0 * width);
    }

  private:
    std::uint32_t state = 1;
};

int toInt(double x)
{
    return static_cast<int>(std::trunc(x));
}

// The patient after "Start!": reset over a freshly built scenario.
struct Model {
    int ekg = 0, score = 0, bleeding = 1;
    bool alive = true, shock = false;
    float health = 100;
    int heart = 90, breath = 15, pressure = 120;
    float temperature = 36.5f;
    int circulationLoss = 1, respirationLoss = 1;
    bool complication = false, uncleaned = true, untreated = true;
    bool infusion = false, transfusion = false;
    float circulation = 100, respiration = 100;

    void lossBoth(int delta) { circulationLoss += delta, respirationLoss += delta; }

    void fluid(bool &self, bool other)
    {
        if (self) {
            circulationLoss += 1, score -= 40;
        } else if (complication) {
            self = true, score += 150, lossBoth(-2);
            if (other)
                complication = false;
        } else {
            self = true, score -= 20;
        }
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
        if (code == 1)
            fluid(infusion, transfusion);
        else if (code == 2)
            fluid(transfusion, infusion);
        else if (code == 3)
            dressing(1, 1, 100);
        else if (code == 4)
            dressing(2, 1, 100);
        else if (code == 5)
            dressing(3, 3, 200);
        else if (code == 6 && uncleaned)
            circulationLoss -= 2, score += 150, uncleaned = false;
        else if (code == 6)
            score += 50;
        else if (code == 7)
            lossBoth(-1), score += 100, untreated = false;
        else if (code == 8 || code == 9)
            lossBoth(1), score -= 40;
        else if (code == 10 || code == 11)
            lossBoth(2), score -= 60;
        else if (code == 13)
            score -= 20;
        else if (code == 14)
            lossBoth(3), score -= 80;
    }

    void second(Sequence &random)
    {
        if (!(circulation > 0) || !(respiration > 0)) {
            health = 0, alive = false, ekg = -1, bleeding = 0, shock = false;
            return;
        }
        const double breathing = static_cast<float>(respiration - 100.0);
        const double flow = static_cast<float>(circulation - 100.0);
        const double deficit = static_cast<float>(100.0 - circulation);
        breath = breathing > 0 ? 15 + toInt(breathing * 0.15) : 15 + toInt(breathing * 0.1);
        heart = 90 + toInt(deficit * 0.5);
        pressure = flow > 0 ? 120 + toInt(flow) : 120 + toInt(flow * 0.4);
        temperature = static_cast<float>(36.5 + toInt(breathing * (breathing > 0 ? 0.035 : 0.025)));
        health = static_cast<float>(std::sqrt(static_cast<double>(respiration * circulation)));

        const float bound = static_cast<float>(100.0 / 30.0f);
        if (toInt(random.within(0, bound)) == 0) {
            if (!complication)
                lossBoth(2), score -= 60, complication = true, infusion = transfusion = false;
            else if (bleeding < 3)
                circulationLoss += 1, score -= 40, bleeding += 1;
        }
        shock = complication;
        circulation = static_cast<float>(circulation - 0.3 * circulationLoss);
        respiration = static_cast<float>(respiration - 0.3 * respirationLoss);
    }
};

int jitter(int value, bool alive, Sequence &random)
{
    if (!alive)
        return 0;
    const double j = random.within(0, 0.05f);
    return toInt(value * (1.0 + j));
}

std::vector<ScriptLine> inStepOrder(const std::vector<ScriptLine> &script)
{
    std::vector<ScriptLine> byStep = script;
    std::stable_sort(byStep.begin(), byStep.end(),
                     [](const ScriptLine &a, const ScriptLine &b) { return a.step < b.step; });
    return byStep;
}

} // namespace

std::string referenceEcho(const std::vector<ScriptLine> &script)
{
    std::string echo;
    for (const ScriptLine &line : inStepOrder(script))
        echo += std::to_string(line.code);
    return echo;
}

std::string referenceTable(int steps, const std::vector<ScriptLine> &script)
{
    Sequence random;
    Model m;
    const std::vector<ScriptLine> byStep = inStepOrder(script);
    auto next = byStep.begin();
    std::ostringstream out;
    out.precision(9);
    out << "step,score,health,alive,shock,bleeding,circulation,respiration,circulation_loss,"
           "respiration_loss,heart_rate,systolic,diastolic,temperature,respiratory_rate,"
           "ekg_mode\n";
    for (int step = 1; step <= steps; ++step) {
        for (; next != byStep.end() && next->step == step; ++next)
            m.treat(next->code);
        m.second(random);

        const int ekg = m.ekg;
        const int breath = jitter(m.breath, m.alive, random);
        float temperature = m.temperature;
        if (m.alive)
            temperature = static_cast<float>(temperature * (1.0 + random.within(0, 0.01f)));
        const int pressure = jitter(m.pressure, m.alive, random);
        const int heart = jitter(m.heart, m.alive, random);

        out << step << ',' << m.score << ',' << m.health << ',' << m.alive << ',' << m.shock << ','
            << m.bleeding << ',' << m.circulation << ',' << m.respiration << ','
            << m.circulationLoss << ',' << m.respirationLoss << ',' << heart << ',' << pressure
            << ',' << pressure * 2 / 3 << ',' << temperature << ',' << breath << ',' << ekg << '\n';
    }
    return out.str();
}
