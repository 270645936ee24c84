// Coloured lights: what SetupLights and PlaceSpotLights leave in the GL state for counts 0, 1 and
// 2, read back with glGetLightfv, and where DrawLightSprite puts its quad.
#include "sim/lights.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "sim/drift.h"
#include "sim/random.h"
#include "sim/settings.h"
#include "tests/sim/gl_feedback.h"
#include "tests/support/gl_context.h"

namespace {

using Rgba = std::array<GLfloat, 4>;

Rgba LightValue(GLenum light, GLenum name) {
  Rgba v{};
  glGetLightfv(light, name, v.data());
  return v;
}

Rgba ModelAmbient() {
  Rgba v{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v.data());
  return v;
}

void ExpectRgba(const Rgba& v, float r, float g, float b, float a) {
  EXPECT_NEAR(v[0], r, 1e-6);
  EXPECT_NEAR(v[1], g, 1e-6);
  EXPECT_NEAR(v[2], b, 1e-6);
  EXPECT_NEAR(v[3], a, 1e-6);
}

class LightsTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    RestoreDefaults();
    SeedRandom(1234);
    InitDrift(kDriftChannels);
    // Wander a little so that the channels of the lights differ from their start.
    for (int i = 0; i < 50; ++i) StepDrift(kDriftChannels, 0.05f, settings);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  void TearDown() override {
    if (!IsSkipped()) RestoreDefaults();
  }
  // OpenGL's initial lighting state, so that no test leaks into another.
  static void RestoreDefaults() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat black[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat position[4] = {0, 0, 1, 0}, direction[3] = {0, 0, -1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    for (int i = 0; i < 8; ++i) {
      const GLenum light = GL_LIGHT0 + i;
      glDisable(light);
      glLightfv(light, GL_AMBIENT, black);
      glLightfv(light, GL_DIFFUSE, i == 0 ? white : black);
      glLightfv(light, GL_SPECULAR, i == 0 ? white : black);
      glLightfv(light, GL_POSITION, position);
      glLightfv(light, GL_SPOT_DIRECTION, direction);
      glLightf(light, GL_SPOT_EXPONENT, 0.0f);
      glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    }
  }
};

TEST_F(LightsTest, CountZeroChangesNoState) {
  const Rgba ambientBefore = ModelAmbient();
  const Rgba diffuseBefore = LightValue(GL_LIGHT0, GL_DIFFUSE);
  const Rgba positionBefore = LightValue(GL_LIGHT0, GL_POSITION);
  SetupLights(0, 0.5f, 0.9f);
  PlaceSpotLights(0, 0.125f, 0.25f, 0.9f, 1.0f, 9.8f);
  EXPECT_EQ(ModelAmbient(), ambientBefore);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_DIFFUSE), diffuseBefore);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_POSITION), positionBefore);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  Rgba specular{};
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular.data());
  ExpectRgba(specular, 0, 0, 0, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LightsTest, SetupSetsAmbientSpecularAndEnablesSpotsUpToTheCount) {
  SetupLights(2, 0.5f, 0.9f);
  ExpectRgba(ModelAmbient(), 0.5f, 0.5f, 0.5f, 1.0f);
  Rgba specular{};
  glGetMaterialfv(GL_BACK, GL_SPECULAR, specular.data());
  ExpectRgba(specular, 0.9f, 0.9f, 0.9f, 1.0f);
  for (GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
    EXPECT_TRUE(glIsEnabled(light));
    EXPECT_EQ(LightValue(light, GL_SPOT_EXPONENT)[0], 30.0f);
    EXPECT_EQ(LightValue(light, GL_SPOT_CUTOFF)[0], 30.0f);
  }
  EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
  EXPECT_EQ(LightValue(GL_LIGHT2, GL_SPOT_CUTOFF)[0], 180.0f);
}

TEST_F(LightsTest, SetupCountAboveEightStopsAtTheLastLight) {
  SetupLights(12, 0.5f, 0.9f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT7));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LightsTest, OneLightIsGreyAndSetsTheGlobalAmbient) {
  PlaceSpotLights(1, 0.125f, 0.25f, 0.9f, 1.0f, 9.8f);
  ExpectRgba(LightValue(GL_LIGHT0, GL_AMBIENT), 0.125f, 0.125f, 0.125f, 1.0f);
  ExpectRgba(LightValue(GL_LIGHT0, GL_DIFFUSE), 0.25f, 0.25f, 0.25f, 1.0f);
  ExpectRgba(LightValue(GL_LIGHT0, GL_SPECULAR), 0.9f, 0.9f, 0.9f, 1.0f);
  ExpectRgba(ModelAmbient(), 0.125f, 0.125f, 0.125f, 1.0f);
  // Light 1 is left alone.
  ExpectRgba(LightValue(GL_LIGHT1, GL_DIFFUSE), 0, 0, 0, 1);
}

TEST_F(LightsTest, LightsStandAtTheDistanceAndPointBackAtTheCentre) {
  const float distance = 9.8f;
  PlaceSpotLights(2, 0.125f, 0.25f, 0.9f, 1.0f, distance);
  for (GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
    const Rgba p = LightValue(light, GL_POSITION);  // eye coordinates; the model-view is identity
    EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), distance, 1e-4);
    EXPECT_EQ(p[3], 1.0f);
    const Rgba d = LightValue(light, GL_SPOT_DIRECTION);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(d[k], -p[k] / distance, 1e-5);
  }
  // The two lights turn on channels of their own.
  EXPECT_NE(LightValue(GL_LIGHT0, GL_POSITION), LightValue(GL_LIGHT1, GL_POSITION));
}

TEST_F(LightsTest, TwoLightsHaveIndependentColoursBetweenHalfAndFullLevel) {
  const float a = 0.125f, d = 0.25f, s = 0.9f;
  PlaceSpotLights(2, a, d, s, 1.0f, 9.8f);
  Rgba factors[2];
  for (int i = 0; i < 2; ++i) {
    const GLenum light = GL_LIGHT0 + i;
    const Rgba ambient = LightValue(light, GL_AMBIENT);
    const Rgba diffuse = LightValue(light, GL_DIFFUSE);
    const Rgba specular = LightValue(light, GL_SPECULAR);
    for (int k = 0; k < 3; ++k) {
      factors[i][k] = diffuse[k] / d;
      EXPECT_GE(factors[i][k], 0.5f);
      EXPECT_LE(factors[i][k], 1.0f);
      // One factor per component, shared by the three colours of the light.
      EXPECT_NEAR(ambient[k] / a, factors[i][k], 1e-5);
      EXPECT_NEAR(specular[k] / s, factors[i][k], 1e-5);
    }
    EXPECT_EQ(ambient[3], 1.0f);
  }
  EXPECT_FALSE(factors[0][0] == factors[0][1] && factors[0][1] == factors[0][2]);
  EXPECT_NE(factors[0][0], factors[1][0]);
  ExpectRgba(ModelAmbient(), factors[0][0] * a, factors[0][1] * a, factors[0][2] * a, 1.0f);
}

TEST_F(LightsTest, IntensityZeroGivesBlackLights) {
  PlaceSpotLights(2, 0.125f, 0.25f, 0.9f, 0.0f, 9.8f);
  for (GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
    ExpectRgba(LightValue(light, GL_AMBIENT), 0, 0, 0, 1);
    ExpectRgba(LightValue(light, GL_DIFFUSE), 0, 0, 0, 1);
    ExpectRgba(LightValue(light, GL_SPECULAR), 0, 0, 0, 1);
  }
  ExpectRgba(ModelAmbient(), 0, 0, 0, 1);
}

TEST_F(LightsTest, CountAboveTwoPlacesOnlyTheLightsTheDriftBankHas) {
  PlaceSpotLights(4, 0.125f, 0.25f, 0.9f, 1.0f, 9.8f);
  EXPECT_GT(LightValue(GL_LIGHT1, GL_DIFFUSE)[0], 0.0f);
  ExpectRgba(LightValue(GL_LIGHT2, GL_DIFFUSE), 0, 0, 0, 1);
  ExpectRgba(LightValue(GL_LIGHT2, GL_POSITION), 0, 0, 1, 0);
}

TEST_F(LightsTest, SpriteLandsWhereTheLightStands) {
  // A short distance keeps the sprite inside an orthographic view of [-1, 1].
  const float distance = 0.5f;
  PlaceSpotLights(2, 0.125f, 0.25f, 0.9f, 1.0f, distance);
  SetFeedbackView(1.0);
  for (int i = 0; i < 2; ++i) {
    const auto primitives = CaptureFeedback([i, distance] { DrawLightSprite(i, distance); });
    ASSERT_FALSE(primitives.empty());
    // Whether reported as one quad or as two triangles, the sprite has four distinct corners
    // whose mean is its centre.
    std::vector<WorldPoint> corners;
    for (const FeedbackPrimitive& p : primitives) {
      for (const FeedbackVertex& v : p.vertices) {
        EXPECT_FLOAT_EQ(v.r, 1.0f);
        const WorldPoint w = FeedbackToWorld(v, 1.0);
        bool seen = false;
        for (const WorldPoint& c : corners) {
          seen = seen || std::hypot(c.x - w.x, std::hypot(c.y - w.y, c.z - w.z)) < 1e-5;
        }
        if (!seen) corners.push_back(w);
      }
    }
    EXPECT_DOUBLE_EQ(CountQuads(primitives), 1.0);
    ASSERT_EQ(corners.size(), 4u);
    double sx = 0, sy = 0, sz = 0;
    for (const WorldPoint& c : corners) sx += c.x, sy += c.y, sz += c.z;
    const Rgba light = LightValue(GL_LIGHT0 + i, GL_POSITION);
    EXPECT_NEAR(sx / 4, light[0], 1e-4);
    EXPECT_NEAR(sy / 4, light[1], 1e-4);
    EXPECT_NEAR(sz / 4, light[2], 1e-4);
  }
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

}  // namespace
