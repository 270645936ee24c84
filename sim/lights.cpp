// Coloured spotlights: fixed parameters set once, colours and places taken from the drift
// channels every frame, and a small textured sprite that marks where a light stands.
#include "sim/lights.h"

#include <GL/gl.h>

#include "sim/drift.h"

namespace {
const GLenum kLightNames[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
                              GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7};
constexpr int kMaxLights = 8;
// The drift bank holds five channels for each of two lights, from channel 50 on.
constexpr int kMaxDriftLights = 2;
constexpr int kFirstLightChannel = 50;
constexpr int kChannelsPerLight = 5;

constexpr float kSpotExponent = 30.0f;
constexpr float kSpotCutoffDegrees = 30.0f;

// Colour factors wander between 0.5 and 1.0 fairly quickly.
constexpr double kColourFrequency = 30.0;
constexpr double kColourAmplitude = 0.5;
constexpr double kColourOffset = 0.5;
// The turns wander over two whole turns either way, slowly.
constexpr double kTurnFrequency = 5.0;
constexpr double kTurnAmplitudeDegrees = 720.0;

constexpr float kSpriteHalfEdge = 0.1f;  // world units

int ClampCount(int count, int most) {
  if (count < 0) return 0;
  return count > most ? most : count;
}

// Turns the current matrix so that its origin moves to where light i stands, `distance` away
// from the old origin, and its -z axis points back at the old origin.
void MoveToLight(int light, float distance) {
  const int base = kFirstLightChannel + kChannelsPerLight * light;
  glRotatef(static_cast<float>(DriftValue(base + 3, kTurnFrequency, kTurnAmplitudeDegrees, 0.0)),
            0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(DriftValue(base + 4, kTurnFrequency, kTurnAmplitudeDegrees, 0.0)),
            1.0f, 0.0f, 0.0f);
  glTranslatef(0.0f, 0.0f, distance);
}
}  // namespace

// Counts above the eight GL lights are cut to eight rather than naming lights that do not exist.
void SetupLights(int count, float ambient, float specular) {
  count = ClampCount(count, kMaxLights);
  if (count == 0) return;
  const GLfloat ambientColour[4] = {ambient, ambient, ambient, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambientColour);
  const GLfloat specularColour[4] = {specular, specular, specular, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specularColour);
  for (int i = 0; i < count; ++i) {
    glLightf(kLightNames[i], GL_SPOT_EXPONENT, kSpotExponent);
    glLightf(kLightNames[i], GL_SPOT_CUTOFF, kSpotCutoffDegrees);
    glEnable(kLightNames[i]);
  }
}

// Counts above two are cut to two: the drift bank has channels for two lights only, and reading
// past it would read outside the bank.
void PlaceSpotLights(int count, float ambientLevel, float diffuseLevel, float specularLevel,
                     float intensity, float distance) {
  count = ClampCount(count, kMaxDriftLights);
  if (count == 0) return;
  for (int i = 0; i < count; ++i) {
    const int base = kFirstLightChannel + kChannelsPerLight * i;
    GLfloat ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    GLfloat diffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    GLfloat specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (int k = 0; k < 3; ++k) {
      // A single light is white; with more, each colour component wanders on its own channel.
      const double factor =
          (count == 1) ? 1.0
                       : DriftValue(base + k, kColourFrequency, kColourAmplitude, kColourOffset);
      ambient[k] = static_cast<float>(factor * ambientLevel * intensity);
      diffuse[k] = static_cast<float>(factor * diffuseLevel * intensity);
      specular[k] = static_cast<float>(factor * specularLevel * intensity);
    }
    if (i == 0) glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightfv(kLightNames[i], GL_AMBIENT, ambient);
    glLightfv(kLightNames[i], GL_DIFFUSE, diffuse);
    glLightfv(kLightNames[i], GL_SPECULAR, specular);
    glPushMatrix();
    MoveToLight(i, distance);
    const GLfloat position[4] = {0.0f, 0.0f, 0.0f, 1.0f};  // positional, at the moved origin
    const GLfloat direction[3] = {0.0f, 0.0f, -1.0f};      // back at the centre
    glLightfv(kLightNames[i], GL_POSITION, position);
    glLightfv(kLightNames[i], GL_SPOT_DIRECTION, direction);
    glPopMatrix();
  }
}

// Leaves the bound texture and the blend function as they are; turns texturing and blending
// off again afterwards.
void DrawLightSprite(int light, float distance) {
  if (light < 0 || light >= kMaxDriftLights) return;  // no drift channels for other lights
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glPushMatrix();
  MoveToLight(light, distance);
  const float h = kSpriteHalfEdge;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-h, -h);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-h, h);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(h, h);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(h, -h);
  glEnd();
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}
