#include "particles.h"

#include "fenster.h"
#include "gameclock.h"

#include "level.h"
#include "random.h"

#include <Inventor/SbVec3f.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/system/gl.h>

const int particleCount = 100;
SbVec3f *particlePositions = nullptr;
SbVec3f *particleVelocities = nullptr;
double *particleLastUpdate = nullptr;
double *particleAges = nullptr;

namespace
{
const float gravity = 30;

void respawn(int i, const SbVec3f &emitterVelocity, RandomSequence &random)
{
    particleAges[i] = random.range(0, 0.5f);
    particleLastUpdate[i] = simulationTime;
    particlePositions[i].setValue(0, 0, 0);
    const float rz = static_cast<float>(random.next() / 32768.0 * 2);
    const float ry = static_cast<float>(random.next() / 32768.0 * 10);
    const float rx = static_cast<float>(random.next() / 32768.0 * 2);
    particleVelocities[i].setValue(emitterVelocity[0] + (rx - 1), emitterVelocity[1] + (ry - 5),
                                   emitterVelocity[2] + (rz - 1));
}

void advance(int i)
{
    const double dt = simulationTime - particleLastUpdate[i];
    particleAges[i] += dt;
    particleLastUpdate[i] = simulationTime;
    const float dtf = static_cast<float>(dt);
    SbVec3f &position = particlePositions[i];
    SbVec3f &velocity = particleVelocities[i];
    for (int k = 0; k < 3; ++k)
        position[k] = static_cast<float>(position[k] + static_cast<double>(velocity[k]) * dtf);
    velocity[1] = static_cast<float>(velocity[1] - static_cast<double>(gravity) * dtf);
}

void draw()
{
    glPushMatrix();
    glColor3f(1, 0, 0);
    glTranslatef(10, 93, 63);
    glPointSize(2);
    glDisable(GL_LIGHTING);
    glBegin(GL_POINTS);
    for (int i = 0; i < particleCount; ++i)
        glVertex3f(particlePositions[i][0], particlePositions[i][1], particlePositions[i][2]);
    glVertex3f(0, 0, 0);
    glEnd();
    glEnable(GL_LIGHTING);
    glPointSize(1);
    glPopMatrix();
}
} // namespace

void allocateParticles()
{
    particlePositions = new SbVec3f[particleCount];
    particleVelocities = new SbVec3f[particleCount];
    particleLastUpdate = new double[particleCount];
    particleAges = new double[particleCount];
    for (int i = 0; i < particleCount; ++i)
        particleAges[i] = -1;
}

void releaseParticles()
{
    delete[] particlePositions;
    delete[] particleVelocities;
    delete[] particleLastUpdate;
    delete[] particleAges;
    particlePositions = particleVelocities = nullptr;
    particleLastUpdate = particleAges = nullptr;
}

void renderBleeding(void *, SoAction *action)
{
    if (!mainWindow || !mainWindow->running || !particleAges)
        return;
    const int stage = mainWindow->level->bleedingStage;
    if (stage <= 0)
        return;
    if (!action->isOfType(SoGLRenderAction::getClassTypeId()))
        return;
    const SbVec3f emitterVelocity(0, static_cast<float>(5 * stage), -5);
    for (int i = 0; i < particleCount; ++i) {
        if (particleAges[i] > 1 || particleAges[i] < 0)
            respawn(i, emitterVelocity, *mainWindow->sprayRandom);
        else
            advance(i);
    }
    draw();
}
