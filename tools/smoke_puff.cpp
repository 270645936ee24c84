// The smoke puff generator. The particle texture's alpha is its brightness, so the picture is a
// grey density: a fall-off from the centre whose radius wanders with low-frequency noise (an
// irregular outline), times finer noise (billows), forced to black beyond a fixed radius so that
// no particle quad shows its square edge.
#include "tools/smoke_puff.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCentrePixels = (kSmokeSidePixels - 1) / 2.0;
constexpr double kRadiusPixels = 58.0;       // the density is 0 from here outwards
constexpr double kOutlineWobble = 0.55;      // relative change of the radius by the noise
constexpr double kBillowContrast = 2.0;      // stretch of the fine noise around its middle
constexpr double kBillowDepth = 0.7;         // share of the density that the fine noise modulates
constexpr double kFallOffExponent = 1.2;     // higher: a smaller bright core
constexpr double kOutlineCellsAcross = 3.0;  // noise lattice cells across the picture
constexpr double kBillowCellsAcross = 6.0;
constexpr int kOctaves = 4;
constexpr double kToneStrength = 2.5;  // soft saturation of dense regions, no flat white core
constexpr double kPeakLevel = 255.0;

// A fixed-seed value-noise lattice: a pseudo-random level in [0, 1] at each integer point,
// interpolated smoothly between them.
class ValueNoise {
 public:
  explicit ValueNoise(uint32_t seed) : seed(seed) {}

  double At(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double sx = Smooth(x - fx), sy = Smooth(y - fy);
    const double top = Lerp(Lattice(ix, iy), Lattice(ix + 1, iy), sx);
    const double bottom = Lerp(Lattice(ix, iy + 1), Lattice(ix + 1, iy + 1), sx);
    return Lerp(top, bottom, sy);
  }

  // Octaves of doubling frequency and halving weight, normalised back to [0, 1].
  double Fractal(double x, double y, int octaves) const {
    double sum = 0.0, weight = 1.0, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
      sum += weight * At(x, y);
      total += weight;
      x = x * 2.0 + 17.0;  // the offsets keep the octaves' lattices from lining up
      y = y * 2.0 + 31.0;
      weight *= 0.5;
    }
    return sum / total;
  }

 private:
  static double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }
  static double Lerp(double a, double b, double t) { return a + (b - a) * t; }

  double Lattice(int x, int y) const {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFu) / 65535.0;
  }

  uint32_t seed;
};

}  // namespace

std::vector<uint8_t> RenderSmokePuff(uint32_t seed) {
  const ValueNoise outline(seed);
  const ValueNoise billows(seed * 2654435761u + 1u);
  std::vector<uint8_t> rgb(static_cast<size_t>(kSmokeSidePixels) * kSmokeSidePixels * 3, 0);
  for (int row = 0; row < kSmokeSidePixels; ++row) {
    for (int column = 0; column < kSmokeSidePixels; ++column) {
      const double dx = column - kCentrePixels, dy = row - kCentrePixels;
      const double distance = std::sqrt(dx * dx + dy * dy) / kRadiusPixels;  // 1 at the rim
      if (distance >= 1.0) continue;  // black beyond the rim, whatever the noise says
      const double u = column / static_cast<double>(kSmokeSidePixels);
      const double v = row / static_cast<double>(kSmokeSidePixels);

      const double wobble =
          outline.Fractal(u * kOutlineCellsAcross, v * kOutlineCellsAcross, kOctaves) - 0.5;
      const double reach =
          std::clamp(1.0 - distance * (1.0 + kOutlineWobble * 2.0 * wobble), 0.0, 1.0);
      // A smooth rim: the fall-off and its slope reach zero together at the fixed radius.
      const double rim = std::clamp((1.0 - distance) * 4.0, 0.0, 1.0);
      // Octave sums crowd around 0.5; stretched back out so the billows show.
      const double billow = std::clamp(
          (billows.Fractal(u * kBillowCellsAcross, v * kBillowCellsAcross, kOctaves) - 0.5) *
                  kBillowContrast +
              0.5,
          0.0, 1.0);
      const double density = std::pow(reach, kFallOffExponent) * rim * rim *
                             (1.0 - kBillowDepth + kBillowDepth * billow);
      const double level = (1.0 - std::exp(-kToneStrength * density)) /
                           (1.0 - std::exp(-kToneStrength)) * kPeakLevel;
      uint8_t* pixel = rgb.data() + (static_cast<size_t>(row) * kSmokeSidePixels + column) * 3;
      pixel[0] = pixel[1] = pixel[2] = static_cast<uint8_t>(std::lround(level));
    }
  }
  return rgb;
}
