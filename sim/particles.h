// The particle system: a fixed pool of textured, additively blended quads that rise as a flame
// (option 0) or drift as clouds (option 1).
#pragma once

constexpr int kParticleSlots = 1000;
constexpr int kDefaultParticleLimit = 320;

struct Particle {
  float x, y, z;
  float vx, vy, vz;  // world units per second of scaled time (seconds * mainSpeed)
  float angle;       // degrees about the viewing axis
  float spin;        // degrees per second
  float size;        // half the quad's edge before the drawing scale
  float growth;      // size per second
  float lift;        // added to vy at every update
  float red, green, blue;
  float birthTime;
  float deathTime;
  int active;
};

class ParticleSystem {
 public:
  ParticleSystem() : limit(kDefaultParticleLimit), textureName(0) {
    for (Particle& p : particles) p.active = 0;
  }
  virtual ~ParticleSystem() {}

  void Emit(int option, float x, float y, float z, float now, float speed);
  void Update(float now, float frameDt, float speed);
  void Draw(int option, float scale, float intensity, float angleX, float angleY, float angleZ,
            float now);
  // Moves birth and death times back by whole seconds when the scene's clock is moved.
  void ShiftTimes(double seconds);

  Particle particles[kParticleSlots];
  int limit;                 // slots 0..limit-1 are used; never above kParticleSlots
  unsigned int textureName;  // the smoke texture, bound directly when drawing
};

extern ParticleSystem particleSystem;

// Per frame: emitter position, emission test, update unless paused, draw.
void StepParticles();
void DrawParticles();

// StepParticles without its drawing: emitter position, emission test and update unless paused.
// Needs no GL context.
void AdvanceParticles();

// The alpha a live particle is drawn with: a fade that rises from 0 at birth to intensity at
// mid-life and back to 0 at death; its square root for flames, scaled by size for clouds.
// Never negative (a particle frozen past its death while paused shows nothing).
float ParticleAlpha(int option, const Particle& particle, float intensity, float now);
