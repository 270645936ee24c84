// Star field: the points and colours recorded by Build, read back through GL feedback mode, the
// three drawing passes, rebuilding, and bounds that no point can meet.
#include "sim/star_field.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "sim/random.h"
#include "tests/sim/gl_feedback.h"
#include "tests/support/gl_context.h"
#include "tests/support/reference_lcg.h"

namespace {

constexpr double kExtent = 6.0;  // a view a little larger than the field of half-edge 5
constexpr double kPositionTolerance = 1e-4;


struct Star {
  WorldPoint at;
  float r, g, b;
};

class StarFieldTest : public GlTest {
 protected:
  void TearDown() override { field.Release(); }

  std::vector<Star> ReadBack(StarField& f) {
    SetFeedbackView(kExtent);
    const auto primitives = CaptureFeedback([&f] { glCallList(f.listId); });
    std::vector<Star> stars;
    for (const FeedbackPrimitive& p : primitives) {
      EXPECT_EQ(p.kind, static_cast<GLenum>(GL_POINT_TOKEN));
      const FeedbackVertex& v = p.vertices[0];
      stars.push_back(Star{FeedbackToWorld(v, kExtent), v.r, v.g, v.b});
    }
    return stars;
  }

  StarField field;
};

// Replays the cube rule and the colour draws with the test's own generator and compares every
// recorded star with it; returns how many stars had the stronger colours.
int ExpectStarsFollowTheGenerator(const std::vector<Star>& stars, uint32_t seed, double outer,
                                  double inner) {
  Lcg g(seed);
  int strong = 0;
  for (const Star& s : stars) {
    double x = 0, y = 0, z = 0;
    while (std::fabs(x) < inner + 0.01 && std::fabs(y) < inner + 0.01 &&
           std::fabs(z) < inner + 0.01) {
      x = g.F(2 * outer) - outer;
      y = g.F(2 * outer) - outer;
      z = g.F(2 * outer) - outer;
    }
    const bool isStrong = g.F(1.0) < 0.1;
    strong += isStrong;
    const double base = isStrong ? 0.3 : 0.5, range = isStrong ? 0.5 : 0.3;
    const float blue = static_cast<float>(base + g.F(range));
    const float green = static_cast<float>(base + g.F(range));
    const float red = static_cast<float>(base + g.F(range));
    EXPECT_NEAR(s.at.x, x, kPositionTolerance);
    EXPECT_NEAR(s.at.y, y, kPositionTolerance);
    EXPECT_NEAR(s.at.z, z, kPositionTolerance);
    EXPECT_NEAR(s.r, red, 1e-6);
    EXPECT_NEAR(s.g, green, 1e-6);
    EXPECT_NEAR(s.b, blue, 1e-6);
    if (::testing::Test::HasFailure()) break;  // one wrong star is enough to read
  }
  return strong;
}

TEST_F(StarFieldTest, DefaultField3300PointsFollowTheGeneratorInTheCubeClearOfTheCentre) {
  SeedRandom(0);
  field.Build(3300, 5.0f, 0.0f, 1);
  EXPECT_EQ(field.pointCount, 3300);
  const std::vector<Star> stars = ReadBack(field);
  ASSERT_EQ(stars.size(), 3300u);
  for (const Star& s : stars) {
    const double largest = std::max({std::fabs(s.at.x), std::fabs(s.at.y), std::fabs(s.at.z)});
    ASSERT_GE(largest, 0.01 - kPositionTolerance);
    for (double c : {s.at.x, s.at.y, s.at.z}) {
      ASSERT_GE(c, -5.0 - kPositionTolerance);
      ASSERT_LT(c, 5.0 - 1e-4);  // the largest draw is 5 * 32767 / 16384 - 5
    }
    for (float c : {s.r, s.g, s.b}) {
      ASSERT_GE(c, 0.3f);
      ASSERT_LT(c, 0.8f);
    }
  }
  // About one star in ten has the stronger colours.
  const int strong = ExpectStarsFollowTheGenerator(stars, 0, 5.0, 0.0);
  EXPECT_GT(strong, 3300 * 8 / 100);
  EXPECT_LT(strong, 3300 * 12 / 100);
}

TEST_F(StarFieldTest, CubeRuleRejectsPointsInsideTheInnerCube) {
  SeedRandom(77);
  field.Build(300, 5.0f, 2.0f, 1);
  const std::vector<Star> stars = ReadBack(field);
  ASSERT_EQ(stars.size(), 300u);
  ExpectStarsFollowTheGenerator(stars, 77, 5.0, 2.0);
  for (const Star& s : stars) {
    ASSERT_GE(std::max({std::fabs(s.at.x), std::fabs(s.at.y), std::fabs(s.at.z)}),
              2.01 - kPositionTolerance);
  }
}

TEST_F(StarFieldTest, UpperHalfShellNeverGoesBelowTheHorizon) {
  SeedRandom(5);
  field.Build(1000, 4.0f, 1.5f, 2);
  const std::vector<Star> stars = ReadBack(field);
  ASSERT_EQ(stars.size(), 1000u);
  for (const Star& s : stars) {
    ASSERT_GE(s.at.y, -kPositionTolerance);
    const double d = std::sqrt(s.at.x * s.at.x + s.at.y * s.at.y + s.at.z * s.at.z);
    ASSERT_GE(d, 1.5 - kPositionTolerance);
    ASSERT_LE(d, 4.0 + kPositionTolerance);
  }
}

TEST_F(StarFieldTest, OtherPlacementsFillTheWholeShell) {
  SeedRandom(5);
  field.Build(1000, 4.0f, 1.5f, 7);
  const std::vector<Star> stars = ReadBack(field);
  ASSERT_EQ(stars.size(), 1000u);
  int below = 0;
  for (const Star& s : stars) {
    const double d = std::sqrt(s.at.x * s.at.x + s.at.y * s.at.y + s.at.z * s.at.z);
    ASSERT_GE(d, 1.5 - kPositionTolerance);
    ASSERT_LE(d, 4.0 + kPositionTolerance);
    below += s.at.y < 0.0;
  }
  EXPECT_GT(below, 400);
  EXPECT_LT(below, 600);
}

TEST_F(StarFieldTest, SecondBuildReplacesTheList) {
  SeedRandom(1);
  field.Build(3300, 5.0f, 0.0f, 1);
  const GLuint first = field.listId;
  ASSERT_TRUE(glIsList(first));
  field.Build(40, 5.0f, 0.0f, 1);
  ASSERT_TRUE(glIsList(field.listId));
  if (field.listId != first) {
    EXPECT_FALSE(glIsList(first));
  }
  EXPECT_EQ(ReadBack(field).size(), 40u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(StarFieldTest, ImpossibleBoundsEndTheBuildInsteadOfHanging) {
  SeedRandom(3);
  field.Build(50, 1.0f, 2.0f, 1);  // no coordinate can reach 2.01
  EXPECT_EQ(field.pointCount, 0);
  EXPECT_TRUE(ReadBack(field).empty());
  field.Build(50, 1.0f, 3.0f, 0);  // a shell whose inner radius lies beyond the outer
  EXPECT_EQ(field.pointCount, 0);
  field.Build(50, 1.0f, 1.0f, 2);  // a bare sphere of radius 1 is hardly ever hit
  EXPECT_LE(field.pointCount, 50);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(StarFieldTest, ReleaseDeletesTheList) {
  SeedRandom(1);
  field.Build(10, 5.0f, 0.0f, 1);
  const GLuint list = field.listId;
  field.Release();
  EXPECT_EQ(field.listId, StarField::kNoList);
  EXPECT_FALSE(glIsList(list));
  field.Release();  // a second release is harmless
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(StarFieldTest, DrawShowsEachStarUnturnedTurnedBy120AndUnturnedAgain) {
  SeedRandom(9);
  field.Build(6, 5.0f, 0.0f, 1);
  const std::vector<Star> stars = ReadBack(field);
  SetFeedbackView(kExtent);
  glEnable(GL_BLEND);
  const auto primitives = CaptureFeedback([this] { field.Draw(); });
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  ASSERT_EQ(primitives.size(), 18u);
  const double c = std::cos(120.0 * M_PI / 180.0), s = std::sin(120.0 * M_PI / 180.0);
  for (size_t i = 0; i < stars.size(); ++i) {
    const WorldPoint a = FeedbackToWorld(primitives[i].vertices[0], kExtent);
    const WorldPoint b = FeedbackToWorld(primitives[6 + i].vertices[0], kExtent);
    const WorldPoint d = FeedbackToWorld(primitives[12 + i].vertices[0], kExtent);
    const WorldPoint& o = stars[i].at;
    EXPECT_NEAR(a.x, o.x, 1e-3);
    EXPECT_NEAR(a.z, o.z, 1e-3);
    // A turn of 120 degrees about y.
    EXPECT_NEAR(b.x, c * o.x + s * o.z, 1e-3);
    EXPECT_NEAR(b.y, o.y, 1e-3);
    EXPECT_NEAR(b.z, -s * o.x + c * o.z, 1e-3);
    EXPECT_NEAR(d.x, o.x, 1e-3);
    EXPECT_NEAR(d.z, o.z, 1e-3);
  }
  GLfloat size = 0;
  glGetFloatv(GL_POINT_SIZE, &size);
  EXPECT_EQ(size, 3.0f);  // the last pass's size stays set
  glPointSize(1.0f);
}

}  // namespace
