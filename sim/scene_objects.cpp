// The scene's objects with static storage duration, defined together so that they are built in
// this order and destroyed in the reverse one: text overlay, settings, star field, particles.
#include "sim/particles.h"
#include "sim/settings.h"
#include "sim/star_field.h"
#include "text/text_overlay.h"

TextOverlay textOverlay;
Settings settings;
StarField starField;
ParticleSystem particleSystem;
