// Coloured spotlights that turn about the centre and change colour with the drift channels.
// This simulation passes a light count of 0; the other counts serve other simulations.
#pragma once

void SetupLights(int count, float ambient, float specular);
void PlaceSpotLights(int count, float ambientLevel, float diffuseLevel, float specularLevel,
                     float intensity, float distance);
void DrawLightSprite(int light, float distance);
