// The particle system: emission at the flame's or clouds' emitter, aging and motion, and drawing
// as additively blended, textured quads. The order of the random draws is part of the behaviour:
// from a given seed the same particles come out every run.
#include "sim/particles.h"

#include <GL/gl.h>

#include <cmath>

#include "sim/random.h"
#include "sim/settings.h"

namespace {
constexpr int kFlames = 0;
constexpr int kClouds = 1;

// Flames rise from a narrow strip just below the centre (world units).
constexpr double kFlameEmitterHalfWidth = 0.125;
constexpr float kFlameEmitterY = -0.13f;
// Clouds leave a vertical strip on the left and drift right and upward.
constexpr float kCloudEmitterX = -0.3f;
constexpr double kCloudEmitterHeight = 0.5;
constexpr double kEmitterHalfDepth = 0.01;

constexpr double kEmissionsPerSecond = 10.0;  // at arrowY 1, at most one per frame

constexpr double kFlameExtraLifeSeconds = 1.0;  // flames live 4 to 5 s at speed 1
constexpr double kFlameMinLifeSeconds = 4.0;
constexpr double kCloudLifeSeconds = 15.0;
constexpr double kFlameGrowthPerSecond = 0.015;  // times the speed

constexpr double kMinSize = 0.05;  // half edge, world units; sizes lie in [0.05, 0.45)
constexpr double kSizeRange = 0.4;
constexpr double kLargestSize = 0.45;  // clouds of this size are drawn at full strength
constexpr double kMaxSpinDegreesPerSecond = 10.0;

constexpr double kDrawScale = 0.45;  // objectSize 1 draws a particle at 0.45 of its size

bool KnownOption(int option) {
  return option == kFlames || option == kClouds;
}
}  // namespace

void ParticleSystem::Emit(int option, float x, float y, float z, float now, float speed) {
  if (!KnownOption(option)) return;
  const int usable = limit < kParticleSlots ? limit : kParticleSlots;
  Particle* slot = nullptr;
  for (int i = 0; i < usable; ++i) {
    if (particles[i].active == 0) {
      slot = &particles[i];
      break;
    }
  }
  if (slot == nullptr) return;
  Particle& p = *slot;

  // Each draw is its own statement: the order of draws is what makes a seed reproducible.
  if (option == kFlames) {
    p.vx = static_cast<float>(frand(0.04) - 0.02);
    p.vy = static_cast<float>(frand(0.03) + 0.03);
    p.vz = static_cast<float>(frand(0.004) - 0.002);
    p.growth = static_cast<float>(speed * kFlameGrowthPerSecond);
    const double life = frand(kFlameExtraLifeSeconds) + kFlameMinLifeSeconds;
    p.deathTime = static_cast<float>(now + life / speed);
    p.red = 1.0f;
    p.green = 0.5f;
    p.blue = 0.25f;
  } else {
    p.vx = static_cast<float>(frand(0.03) + 0.03);
    p.vy = static_cast<float>(frand(0.03) + 0.015);
    p.vz = static_cast<float>(frand(0.004) - 0.002);
    p.growth = 0.0f;
    p.deathTime = static_cast<float>(now + kCloudLifeSeconds / speed);
    p.red = p.green = p.blue = 0.66f;
  }

  p.active = 1;
  p.x = x;
  p.y = y;
  p.z = z;
  // The product of two draws makes small particles the more frequent.
  const double sizeA = frand(1.0);
  const double sizeB = frand(1.0);
  p.size = static_cast<float>(sizeA * sizeB * kSizeRange + kMinSize);
  p.angle = static_cast<float>(frand(360.0));
  p.spin = static_cast<float>(frand(2.0 * kMaxSpinDegreesPerSecond) - kMaxSpinDegreesPerSecond);
  p.birthTime = now;
  p.lift = 0.0f;
}

void ParticleSystem::Update(float now, float frameDt, float speed) {
  // Position moves with scaled time; spin and growth with plain time.
  const double k = static_cast<double>(frameDt) * speed;
  const int usable = limit < kParticleSlots ? limit : kParticleSlots;
  for (int i = 0; i < usable; ++i) {
    Particle& p = particles[i];
    if (p.active == 0) continue;
    if (now > p.deathTime) {
      p.active = 0;
      continue;
    }
    p.x = static_cast<float>(p.x + k * p.vx);
    p.y = static_cast<float>(p.y + k * p.vy);
    p.z = static_cast<float>(p.z + k * p.vz);
    p.vy += p.lift;
    p.angle = static_cast<float>(p.angle + static_cast<double>(frameDt) * p.spin);
    p.size = static_cast<float>(p.size + static_cast<double>(frameDt) * p.growth);
  }
}

void ParticleSystem::ShiftTimes(double seconds) {
  for (Particle& p : particles) {
    p.birthTime = static_cast<float>(p.birthTime - seconds);
    p.deathTime = static_cast<float>(p.deathTime - seconds);
  }
}

float ParticleAlpha(int option, const Particle& particle, float intensity, float now) {
  const double span = static_cast<double>(particle.deathTime) - particle.birthTime;
  // A particle with no lifetime to speak of (an absurd speed) shows nothing rather than NaN.
  if (!(span > 0.0)) return 0.0f;
  const float age = static_cast<float>((static_cast<double>(now) - particle.birthTime) / span);
  const double fade = (0.5 - std::fabs(age - 0.5)) * 2.0 * intensity;
  // Outside its life (only while paused past death) the fade is negative: show nothing.
  if (!(fade > 0.0)) return 0.0f;
  if (option == kFlames) return static_cast<float>(std::sqrt(fade));
  return static_cast<float>(fade * particle.size / kLargestSize);
}

// Leaves the blend function at (GL_SRC_ALPHA, GL_ONE) on purpose: the star field drawn early in
// the next frame relies on it to add its points to the sky.
void ParticleSystem::Draw(int option, float scale, float intensity, float angleX, float angleY,
                          float angleZ, float now) {
  if (KnownOption(option)) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glEnable(GL_TEXTURE_2D);
    const int usable = limit < kParticleSlots ? limit : kParticleSlots;
    for (int i = 0; i < usable; ++i) {
      const Particle& p = particles[i];
      if (p.active == 0) continue;
      const float h = scale * p.size;
      glColor4f(p.red, p.green, p.blue, ParticleAlpha(option, p, intensity, now));
      glPushMatrix();
      glTranslatef(p.x, p.y, p.z);
      // Undo the world's turn so that the quad faces the camera, then turn it by its own angle.
      glRotatef(p.angle - angleZ, 0.0f, 0.0f, 1.0f);
      glRotatef(-angleY, 0.0f, 1.0f, 0.0f);
      glRotatef(-angleX, 1.0f, 0.0f, 0.0f);
      glBegin(GL_QUADS);
      glTexCoord2f(0.0f, 0.0f);
      glVertex2f(-h, -h);
      glTexCoord2f(1.0f, 0.0f);
      glVertex2f(h, -h);
      glTexCoord2f(1.0f, 1.0f);
      glVertex2f(h, h);
      glTexCoord2f(0.0f, 1.0f);
      glVertex2f(-h, h);
      glEnd();
      glPopMatrix();
    }
  }
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void AdvanceParticles() {
  const int option = settings.option;
  float x = 0.0f, y = 0.0f, z = 0.0f;
  // The emitter's draws are made every frame, whether a particle is emitted or not.
  if (option == kFlames) {
    x = static_cast<float>(frand(2.0 * kFlameEmitterHalfWidth) - kFlameEmitterHalfWidth);
    y = kFlameEmitterY;
    z = static_cast<float>(frand(2.0 * kEmitterHalfDepth) - kEmitterHalfDepth);
  } else if (option == kClouds) {
    x = kCloudEmitterX;
    y = static_cast<float>(frand(kCloudEmitterHeight) - kCloudEmitterHeight);
    z = static_cast<float>(frand(2.0 * kEmitterHalfDepth) - kEmitterHalfDepth);
  }
  const double chance = frand(1.0);
  // Emission goes on while paused: new particles appear, frozen ones stay put.
  if (kEmissionsPerSecond * frameDt * settings.arrowY > chance) {
    particleSystem.Emit(option, x, y, z, timeNow, settings.mainSpeed);
  }
  if (paused == 0) particleSystem.Update(timeNow, frameDt, settings.mainSpeed);
}

void StepParticles() {
  AdvanceParticles();
  DrawParticles();
}

void DrawParticles() {
  particleSystem.Draw(settings.option, static_cast<float>(settings.objectSize * kDrawScale),
                      fadeLevel, static_cast<float>(worldAngleX), static_cast<float>(worldAngleY),
                      static_cast<float>(worldAngleZ), timeNow);
}
