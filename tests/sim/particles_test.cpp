// Particle system: emission from a known seed, the pool limit, pausing, retirement, alpha and
// the quads drawn. Expected random values come from an independent copy of the generator.
#include "sim/particles.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "sim/random.h"
#include "sim/settings.h"
#include "tests/sim/gl_feedback.h"
#include "tests/support/gl_context.h"
#include "tests/support/reference_lcg.h"

namespace {


constexpr uint32_t kSeed = 20240601u;

void ClearPool(ParticleSystem& system) {
  for (Particle& p : system.particles) p.active = 0;
  system.limit = kDefaultParticleLimit;
}

int CountLive(const ParticleSystem& system) {
  int live = 0;
  for (const Particle& p : system.particles) live += p.active;
  return live;
}

// Puts the scene globals the particle step reads at their defaults.
class ParticleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPool(particleSystem);
    settings.option = 0;
    settings.arrowY = 1.0f;
    settings.mainSpeed = 1.0f;
    settings.objectSize = 1.0f;
    paused = 0;
    fadeLevel = 1.0f;
    timeNow = 0.0f;
    frameDt = 0.0f;
    worldAngleX = worldAngleY = worldAngleZ = 0.0;
  }
  void TearDown() override { SetUp(); }
};

TEST_F(ParticleTest, FirstFlameTakesItsFieldsFromTheGeneratorInOrder) {
  const float now = 2.5f, speed = 1.25f;
  SeedRandom(kSeed);
  particleSystem.Emit(0, 0.1f, -0.13f, 0.005f, now, speed);

  Lcg g(kSeed);
  const float vx = static_cast<float>(g.F(0.04) - 0.02);
  const float vy = static_cast<float>(g.F(0.03) + 0.03);
  const float vz = static_cast<float>(g.F(0.004) - 0.002);
  const float death = static_cast<float>(now + (g.F(1.0) + 4.0) / speed);
  const double a = g.F(1.0), b = g.F(1.0);
  const float size = static_cast<float>(a * b * 0.4 + 0.05);
  const float angle = static_cast<float>(g.F(360.0));
  const float spin = static_cast<float>(g.F(20.0) - 10.0);

  const Particle& p = particleSystem.particles[0];
  EXPECT_EQ(p.active, 1);
  EXPECT_FLOAT_EQ(p.vx, vx);
  EXPECT_FLOAT_EQ(p.vy, vy);
  EXPECT_FLOAT_EQ(p.vz, vz);
  EXPECT_FLOAT_EQ(p.growth, speed * 0.015f);
  EXPECT_FLOAT_EQ(p.deathTime, death);
  EXPECT_FLOAT_EQ(p.size, size);
  EXPECT_FLOAT_EQ(p.angle, angle);
  EXPECT_FLOAT_EQ(p.spin, spin);
  EXPECT_EQ(p.red, 1.0f);
  EXPECT_EQ(p.green, 0.5f);
  EXPECT_EQ(p.blue, 0.25f);
  EXPECT_EQ(p.x, 0.1f);
  EXPECT_EQ(p.y, -0.13f);
  EXPECT_EQ(p.z, 0.005f);
  EXPECT_EQ(p.birthTime, now);
  EXPECT_EQ(p.lift, 0.0f);
  // Exactly eight draws were made: the generator goes on where the copy does.
  EXPECT_EQ(NextRandom() / 32768.0, g.F(1.0));
  EXPECT_EQ(CountLive(particleSystem), 1);
}

TEST_F(ParticleTest, FirstCloudTakesItsFieldsFromTheGeneratorInOrder) {
  const float now = 7.0f, speed = 0.5f;
  SeedRandom(kSeed);
  particleSystem.Emit(1, -0.3f, -0.2f, 0.0f, now, speed);

  Lcg g(kSeed);
  const float vx = static_cast<float>(g.F(0.03) + 0.03);
  const float vy = static_cast<float>(g.F(0.03) + 0.015);
  const float vz = static_cast<float>(g.F(0.004) - 0.002);
  const double a = g.F(1.0), b = g.F(1.0);
  const float size = static_cast<float>(a * b * 0.4 + 0.05);
  const float angle = static_cast<float>(g.F(360.0));
  const float spin = static_cast<float>(g.F(20.0) - 10.0);

  const Particle& p = particleSystem.particles[0];
  EXPECT_FLOAT_EQ(p.vx, vx);
  EXPECT_FLOAT_EQ(p.vy, vy);
  EXPECT_FLOAT_EQ(p.vz, vz);
  EXPECT_EQ(p.growth, 0.0f);
  EXPECT_FLOAT_EQ(p.deathTime, now + 15.0f / speed);
  EXPECT_FLOAT_EQ(p.size, size);
  EXPECT_FLOAT_EQ(p.angle, angle);
  EXPECT_FLOAT_EQ(p.spin, spin);
  EXPECT_FLOAT_EQ(p.red, 0.66f);
  EXPECT_FLOAT_EQ(p.green, 0.66f);
  EXPECT_FLOAT_EQ(p.blue, 0.66f);
  EXPECT_EQ(NextRandom() / 32768.0, g.F(1.0));  // seven draws, no more
}

TEST_F(ParticleTest, FrameStepDrawsEmitterThenChanceThenParticle) {
  settings.arrowY = 100.0f;  // 10 * 0.1 * 100 exceeds any draw: the emission is certain
  frameDt = 0.1f;
  timeNow = 3.0f;
  paused = 1;  // keep the new particle where it was put
  SeedRandom(kSeed);
  AdvanceParticles();

  Lcg g(kSeed);
  const float x = static_cast<float>(g.F(0.25) - 0.125);
  const float z = static_cast<float>(g.F(0.02) - 0.01);
  g.F(1.0);  // the emission chance
  const float vx = static_cast<float>(g.F(0.04) - 0.02);
  const Particle& p = particleSystem.particles[0];
  ASSERT_EQ(p.active, 1);
  EXPECT_FLOAT_EQ(p.x, x);
  EXPECT_EQ(p.y, -0.13f);
  EXPECT_FLOAT_EQ(p.z, z);
  EXPECT_FLOAT_EQ(p.vx, vx);
  EXPECT_EQ(p.birthTime, 3.0f);
}

TEST_F(ParticleTest, CloudEmitterIsAVerticalStripOnTheLeft) {
  settings.option = 1;
  settings.arrowY = 100.0f;
  frameDt = 0.1f;
  paused = 1;
  SeedRandom(kSeed);
  AdvanceParticles();
  Lcg g(kSeed);
  const float y = static_cast<float>(g.F(0.5) - 0.5);
  const float z = static_cast<float>(g.F(0.02) - 0.01);
  const Particle& p = particleSystem.particles[0];
  ASSERT_EQ(p.active, 1);
  EXPECT_EQ(p.x, -0.3f);
  EXPECT_FLOAT_EQ(p.y, y);
  EXPECT_FLOAT_EQ(p.z, z);
}

TEST_F(ParticleTest, EmitterDrawsAreMadeEvenWithoutEmission) {
  frameDt = 0.0f;  // no chance of emission
  SeedRandom(kSeed);
  AdvanceParticles();
  EXPECT_EQ(CountLive(particleSystem), 0);
  Lcg g(kSeed);
  for (int i = 0; i < 3; ++i) g.F(1.0);  // x, z and the chance
  EXPECT_EQ(NextRandom() / 32768.0, g.F(1.0));
}

TEST_F(ParticleTest, SteadyEmissionNeverExceedsTheLimit) {
  particleSystem.limit = 10;
  SeedRandom(kSeed);
  int highest = 0;
  for (int frame = 1; frame <= 400; ++frame) {
    const float now = frame * 0.05f;
    particleSystem.Emit(0, 0, 0, 0, now, 1.0f);  // one a frame: 20 a second
    particleSystem.Update(now, 0.05f, 1.0f);
    const int live = CountLive(particleSystem);
    ASSERT_LE(live, 10) << "frame " << frame;
    if (live > highest) highest = live;
  }
  EXPECT_EQ(highest, 10);
  for (int i = 10; i < kParticleSlots; ++i) ASSERT_EQ(particleSystem.particles[i].active, 0);
}

TEST_F(ParticleTest, LoweredLimitFreezesUpperSlotsAndRaisingItResumesThem) {
  SeedRandom(kSeed);
  particleSystem.limit = 20;
  for (int i = 0; i < 20; ++i) particleSystem.Emit(0, 0, 0, 0, 0.0f, 1.0f);
  ASSERT_EQ(CountLive(particleSystem), 20);

  particleSystem.limit = 5;
  Particle frozen[20];
  for (int i = 0; i < 20; ++i) frozen[i] = particleSystem.particles[i];
  particleSystem.Update(1.0f, 1.0f, 1.0f);
  for (int i = 0; i < 5; ++i) EXPECT_NE(particleSystem.particles[i].y, frozen[i].y);
  for (int i = 5; i < 20; ++i) {
    EXPECT_EQ(particleSystem.particles[i].y, frozen[i].y);
    EXPECT_EQ(particleSystem.particles[i].angle, frozen[i].angle);
  }
  // Upper slots are not reused either: with slots 0-4 full the pool is full.
  particleSystem.Emit(0, 0, 0, 0, 1.0f, 1.0f);
  EXPECT_EQ(CountLive(particleSystem), 20);

  // Raised again, the frozen ones move on from where they stopped.
  particleSystem.limit = 20;
  particleSystem.Update(1.5f, 0.5f, 2.0f);
  const Particle& resumed = particleSystem.particles[12];
  EXPECT_FLOAT_EQ(resumed.y, frozen[12].y + 0.5f * 2.0f * frozen[12].vy);
  EXPECT_FLOAT_EQ(resumed.angle, frozen[12].angle + 0.5f * frozen[12].spin);  // time alone
  // And long past their death, all retire at the next update.
  particleSystem.Update(10.0f, 0.05f, 1.0f);
  EXPECT_EQ(CountLive(particleSystem), 0);
}

TEST_F(ParticleTest, WhilePausedNothingMovesOrExpiresButEmissionGoesOn) {
  SeedRandom(kSeed);
  particleSystem.Emit(0, 0, 0, 0, 0.0f, 1.0f);
  const Particle first = particleSystem.particles[0];
  paused = 1;
  settings.arrowY = 100.0f;
  frameDt = 0.1f;
  for (int frame = 1; frame <= 100; ++frame) {  // 10 s: well past the first flame's death
    timeNow = frame * 0.1f;
    AdvanceParticles();
  }
  const Particle& p = particleSystem.particles[0];
  EXPECT_EQ(p.active, 1);
  EXPECT_EQ(p.x, first.x);
  EXPECT_EQ(p.y, first.y);
  EXPECT_EQ(p.angle, first.angle);
  EXPECT_EQ(p.size, first.size);
  EXPECT_EQ(CountLive(particleSystem), 101);

  paused = 0;
  timeNow = 10.05f;
  frameDt = 0.05f;
  settings.arrowY = 0.0f;
  AdvanceParticles();
  EXPECT_EQ(particleSystem.particles[0].active, 0);
  EXPECT_LT(CountLive(particleSystem), 101);
}

TEST_F(ParticleTest, RetiredStrictlyAfterDeathTime) {
  SeedRandom(kSeed);
  particleSystem.Emit(1, 0, 0, 0, 10.0f, 1.0f);
  const float death = particleSystem.particles[0].deathTime;
  ASSERT_EQ(death, 25.0f);
  particleSystem.Update(death, 0.01f, 1.0f);
  EXPECT_EQ(particleSystem.particles[0].active, 1);
  const float y = particleSystem.particles[0].y;
  particleSystem.Update(std::nextafter(death, 100.0f), 0.01f, 1.0f);
  EXPECT_EQ(particleSystem.particles[0].active, 0);
  EXPECT_EQ(particleSystem.particles[0].y, y);  // retired, not moved
}

TEST_F(ParticleTest, UnknownOptionEmitsNothing) {
  SeedRandom(kSeed);
  particleSystem.Emit(2, 0, 0, 0, 0.0f, 1.0f);
  particleSystem.Emit(-1, 0, 0, 0, 0.0f, 1.0f);
  EXPECT_EQ(CountLive(particleSystem), 0);
  Lcg g(kSeed);
  EXPECT_EQ(NextRandom() / 32768.0, g.F(1.0));  // and draws nothing
}

Particle MidLife(int option, float size) {
  Particle p{};
  p.size = size;
  p.birthTime = 4.0f;
  p.deathTime = option == 0 ? 8.5f : 19.0f;
  p.active = 1;
  return p;
}

TEST(ParticleAlpha, MidLifeFlameIsOpaqueAndCloudScalesWithSize) {
  const Particle flame = MidLife(0, 0.2f);
  EXPECT_FLOAT_EQ(ParticleAlpha(0, flame, 1.0f, 6.25f), 1.0f);
  const Particle cloud = MidLife(1, 0.3f);
  EXPECT_FLOAT_EQ(ParticleAlpha(1, cloud, 1.0f, 11.5f), 0.3f / 0.45f);
  // A quarter of the way: fade 0.5, of which a flame shows the square root.
  EXPECT_FLOAT_EQ(ParticleAlpha(0, flame, 1.0f, 5.125f), std::sqrt(0.5f));
  EXPECT_EQ(ParticleAlpha(0, flame, 1.0f, 4.0f), 0.0f);
}

TEST(ParticleAlpha, IntensityScalesTheFade) {
  const Particle flame = MidLife(0, 0.2f);
  EXPECT_FLOAT_EQ(ParticleAlpha(0, flame, 0.25f, 6.25f), 0.5f);  // square root of 0.25
  const Particle cloud = MidLife(1, 0.45f);
  EXPECT_FLOAT_EQ(ParticleAlpha(1, cloud, 0.25f, 11.5f), 0.25f);
}

TEST(ParticleAlpha, PastDeathWhilePausedShowsNothingAndIsNeverNaN) {
  const Particle flame = MidLife(0, 0.2f);
  const float late = ParticleAlpha(0, flame, 1.0f, 20.0f);
  EXPECT_EQ(late, 0.0f);
  const Particle cloud = MidLife(1, 0.2f);
  EXPECT_EQ(ParticleAlpha(1, cloud, 1.0f, 40.0f), 0.0f);
  Particle instant = flame;
  instant.deathTime = instant.birthTime;  // no life at all
  EXPECT_EQ(ParticleAlpha(0, instant, 1.0f, 4.0f), 0.0f);
}

class ParticleDrawTest : public GlTest {
 protected:
  static constexpr double kExtent = 2.0;
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ClearPool(particleSystem);
    settings.objectSize = 1.0f;
    fadeLevel = 1.0f;
    worldAngleX = worldAngleY = worldAngleZ = 0.0;
    SetFeedbackView(kExtent);
  }
  void TearDown() override {
    ClearPool(particleSystem);
    fadeLevel = 1.0f;
    settings.option = 0;
  }
  Particle& Place(int slot, int option, float x, float y, float size) {
    Particle& p = particleSystem.particles[slot];
    p = MidLife(option, size);
    p.x = x;
    p.y = y;
    if (option == 0) {
      p.red = 1.0f, p.green = 0.5f, p.blue = 0.25f;
    } else {
      p.red = p.green = p.blue = 0.66f;
    }
    return p;
  }
};

TEST_F(ParticleDrawTest, EachLiveParticleIsOneQuadAroundItsPositionTurnedByItsAngle) {
  Particle& p = Place(3, 0, 0.5f, -0.25f, 0.2f);
  p.angle = 30.0f;
  Place(7, 0, -0.5f, 0.5f, 0.1f);
  settings.objectSize = 2.0f;
  settings.option = 0;
  timeNow = 6.25f;
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // as start-up leaves it
  const auto primitives = CaptureFeedback([] { DrawParticles(); });
  EXPECT_DOUBLE_EQ(CountQuads(primitives), 2.0);
  // The first quad's corners: half edge objectSize * 0.45 * size, turned by 30 degrees.
  const double h = 2.0 * 0.45 * 0.2;
  const double c = std::cos(30.0 * M_PI / 180.0), s = std::sin(30.0 * M_PI / 180.0);
  const double cornerX = 0.5 + (-h * c + h * s), cornerY = -0.25 + (-h * s - h * c);
  bool found = false;
  for (const FeedbackVertex& v : primitives.front().vertices) {
    const WorldPoint w = FeedbackToWorld(v, kExtent);
    if (std::fabs(w.x - cornerX) < 1e-3 && std::fabs(w.y - cornerY) < 1e-3) found = true;
    EXPECT_NEAR(std::hypot(w.x - 0.5, w.y + 0.25), h * std::sqrt(2.0), 1e-3);
    EXPECT_FLOAT_EQ(v.r, 1.0f);
    EXPECT_FLOAT_EQ(v.g, 0.5f);
    EXPECT_FLOAT_EQ(v.b, 0.25f);
    EXPECT_NEAR(v.a, 1.0f, 1e-6);
  }
  EXPECT_TRUE(found) << "no corner at (-h, -h) turned by the particle's angle";
  // The additive blend function stays set for the star field of the next frame.
  GLint src = 0, dst = 0;
  glGetIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_BLEND_DST, &dst);
  EXPECT_EQ(src, GL_SRC_ALPHA);
  EXPECT_EQ(dst, GL_ONE);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ParticleDrawTest, FadeLevelScalesTheAlphaDrawn) {
  Place(0, 0, 0.0f, 0.0f, 0.2f);
  Place(1, 1, 0.0f, 0.0f, 0.45f);
  fadeLevel = 0.25f;
  settings.option = 0;
  timeNow = 6.25f;  // mid-life of the flame
  auto primitives = CaptureFeedback([] { DrawParticles(); });
  ASSERT_FALSE(primitives.empty());
  EXPECT_NEAR(primitives.front().vertices[0].a, 0.5f, 1e-5);
  settings.option = 1;
  timeNow = 11.5f;  // mid-life of the cloud
  primitives = CaptureFeedback([] { DrawParticles(); });
  ASSERT_FALSE(primitives.empty());
  EXPECT_NEAR(primitives.back().vertices[0].a, 0.25f, 1e-5);
}

TEST_F(ParticleDrawTest, UnknownOptionDrawsNothingAndLeavesBlendAndTextureOff) {
  Place(0, 0, 0.0f, 0.0f, 0.2f);
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  const auto primitives = CaptureFeedback([] { particleSystem.Draw(2, 0.45f, 1, 0, 0, 0, 6.0f); });
  EXPECT_TRUE(primitives.empty());
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

}  // namespace
