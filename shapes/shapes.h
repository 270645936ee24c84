// Shape helpers of the drawing toolkit: normalisation and the sphere and torus emitters. The
// emitters issue immediate-mode calls at the caller's matrix, colour and texture state.
#pragma once

void Normalize(float x, float y, float z, float* outX, float* outY, float* outZ);
void DrawSphere(double radius, int slices, int stacks, double scaleS, double scaleT,
                double offsetS, double offsetT);
void DrawTorus(int sides, double ringRadius, double tubeRadius);
