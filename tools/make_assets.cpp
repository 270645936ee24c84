// make_assets: writes the program's two images into the directory named on the command line:
// font.bmp (the bitmap font sheet) and smoke128.bmp (the particle texture). Run it through
// scripts/make-assets.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/bmp_out.h"
#include "tools/font_sheet.h"
#include "tools/smoke_puff.h"

namespace {

// Bold: the glyphs are seen at 18 to 20 pixels through box-filtered mipmaps, over bright flames,
// where the regular weight's strokes come out thin and grey.
constexpr const char* kDefaultFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
constexpr uint32_t kSmokeSeed = 1;
constexpr int kFontBitsPerPixel = 8;
constexpr int kSmokeBitsPerPixel = 24;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY [FONT.ttf]\n", argv[0]);
    return 2;
  }
  const std::string directory = argv[1];
  const char* fontPath = argc == 3 ? argv[2] : kDefaultFontPath;

  std::vector<uint8_t> font;
  std::string error;
  if (!RenderFontSheet(fontPath, &font, &error)) {
    std::fprintf(stderr, "make_assets: %s\n", error.c_str());
    return 1;
  }
  const std::string fontFile = directory + "/font.bmp";
  if (!WriteBmpFile(fontFile.c_str(), kFontSheetWidthPixels, kFontSheetHeightPixels,
                    kFontBitsPerPixel, font)) {
    std::fprintf(stderr, "make_assets: cannot write %s\n", fontFile.c_str());
    return 1;
  }

  const std::string smokeFile = directory + "/smoke128.bmp";
  if (!WriteBmpFile(smokeFile.c_str(), kSmokeSidePixels, kSmokeSidePixels, kSmokeBitsPerPixel,
                    RenderSmokePuff(kSmokeSeed))) {
    std::fprintf(stderr, "make_assets: cannot write %s\n", smokeFile.c_str());
    return 1;
  }
  std::printf("wrote %s and %s\n", fontFile.c_str(), smokeFile.c_str());
  return 0;
}
