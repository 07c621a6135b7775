// 100,000 ticks (about 40 games) with the scenario, the monitor and the spray
// at work must not make the process grow.

#include "audiosandbox.h"
#include "fenster.h"
#include "gamefixture.h"
#include "level.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>

#include <QAction>

#include <cstdio>
#include <filesystem>

#include <malloc.h>

namespace
{
// A new game every 2400 ticks, a real frame every 50.
void play(Fenster &w, int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        if (w.timeLeft <= 0)
            w.startAction->trigger();
        w.advanceClock();
        if (i % 50 == 0)
            renderArea->render();
    }
}
} // namespace

TEST(Soak, HundredThousandTicksDoNotGrowTheHeap)
{
    // No audio device: OpenAL Soft 1.24 keeps blocks of voice changes whenever
    // plays come faster than its mixer takes them (thousands a second here).
    AudioSandbox sandbox("none");
    sandbox.writeGameSounds();
    const auto data = sandbox.soundPath("").parent_path().parent_path();
    std::filesystem::copy_file(CURAVANT_SOURCE_DIR "/data/scene002.iv", data / "scene002.iv");
    size_t warm = 0, end = 0;
    runWindow([&](Fenster &w) {
        w.startAction->trigger();
        play(w, 10000);
        warm = mallinfo2().uordblks;
        play(w, 90000);
        end = mallinfo2().uordblks;
        // Untreated, the last game's patient has been struck by now: the
        // scenario really ran.
        EXPECT_LT(w.level->score, 0);
    });
    const double growth = static_cast<double>(end) - static_cast<double>(warm);
    std::printf("heap in use after warm-up %zu bytes, after 100,000 ticks %zu (%+.0f)\n", warm, end,
                growth);
    EXPECT_LT(growth, 64 * 1024);
}
