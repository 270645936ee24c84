// The public BMP test suite: every file, good, questionable or broken, must load or be refused
// without a crash, a hang or (under the sanitizers) an out-of-bounds access; the plain
// uncompressed files of 8, 24 and 32 bits must load, everything else must be refused.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "image/bmp.h"
#include "image/image.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(QUOR_SHARED_DIR) / "bmpsuite";

std::vector<fs::path> SuiteFiles() {
  std::vector<fs::path> files;
  for (const char* folder : {"g", "q", "b", "x"}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSuite / folder, error)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  return files;
}

class BmpSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kSuite)) GTEST_SKIP() << "no BMP suite at " << kSuite;
  }
};

// The file's bytes in a buffer of exactly their size, as a program's resource holds them: a read
// past the end is one the sanitizers see.
std::unique_ptr<uint8_t[]> FileBytes(const fs::path& file, std::size_t* size) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  *size = text.size();
  std::unique_ptr<uint8_t[]> bytes(new uint8_t[text.size() + (text.empty() ? 1 : 0)]);
  std::memcpy(bytes.get(), text.data(), text.size());
  return bytes;
}

TEST_F(BmpSuite, EveryFileLoadsConsistentlyOrIsRefusedFromDiskAndFromMemoryAlike) {
  const std::vector<fs::path> files = SuiteFiles();
  ASSERT_FALSE(files.empty());
  int loaded = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    Image image, fromMemory;
    std::size_t size = 0;
    const std::unique_ptr<uint8_t[]> bytes = FileBytes(file, &size);
    const bool loadedFromMemory = LoadBmpBytes(bytes.get(), size, &fromMemory);
    if (!LoadBmp(file.string().c_str(), &image)) {
      EXPECT_EQ(image.GetPixels(), nullptr);
      EXPECT_FALSE(loadedFromMemory);
      continue;
    }
    ASSERT_TRUE(loadedFromMemory);
    ASSERT_EQ(fromMemory.GetSize(), image.GetSize());
    EXPECT_EQ(std::memcmp(fromMemory.GetPixels(), image.GetPixels(), image.GetSize()), 0);
    ++loaded;
    const uint32_t bpp = image.GetBpp();
    EXPECT_TRUE(bpp == 8 || bpp == 24 || bpp == 32);
    EXPECT_EQ(image.GetPitch(), image.GetWidth() * (bpp / 8));
    EXPECT_EQ(image.GetSize(), image.GetPitch() * image.GetHeight());
    EXPECT_NE(image.GetPixels(), nullptr);
  }
  EXPECT_GT(loaded, 0);
}

TEST_F(BmpSuite, PlainFilesLoadAndEverythingElseIsRefused) {
  struct Expectation {
    bool loads;
    uint32_t bpp, width, height;
  };
  const std::map<std::string, Expectation> expected = {
      {"g/rgb24.bmp", {true, 24, 127, 64}},
      {"g/rgb32.bmp", {true, 32, 127, 64}},
      {"g/pal8.bmp", {true, 8, 127, 64}},
      {"g/pal8topdown.bmp", {true, 8, 127, 64}},
      {"g/pal8v5.bmp", {true, 8, 127, 64}},
      {"g/pal8w125.bmp", {true, 8, 125, 62}},
      {"g/pal8nonsquare.bmp", {true, 8, 127, 32}},
      {"g/pal1.bmp", {false, 0, 0, 0}},
      {"g/pal4.bmp", {false, 0, 0, 0}},
      {"g/pal8rle.bmp", {false, 0, 0, 0}},
      {"g/rgb16.bmp", {false, 0, 0, 0}},
      {"g/rgb32bf.bmp", {false, 0, 0, 0}},
      {"g/pal8os2.bmp", {false, 0, 0, 0}},
      {"q/rgba64.bmp", {false, 0, 0, 0}},
      {"q/rgb24png.bmp", {false, 0, 0, 0}},
      {"b/reallybig.bmp", {false, 0, 0, 0}},
      {"b/shortfile.bmp", {false, 0, 0, 0}},
      {"b/badwidth.bmp", {false, 0, 0, 0}},
      {"b/badbitcount.bmp", {false, 0, 0, 0}},
      {"x/ba-bm.bmp", {false, 0, 0, 0}},
  };
  for (const auto& [name, want] : expected) {
    SCOPED_TRACE(name);
    if (!fs::exists(kSuite / name)) continue;
    Image image;
    ASSERT_EQ(LoadBmp((kSuite / name).string().c_str(), &image), want.loads);
    if (!want.loads) continue;
    EXPECT_EQ(image.GetBpp(), want.bpp);
    EXPECT_EQ(image.GetWidth(), want.width);
    EXPECT_EQ(image.GetHeight(), want.height);
  }
}

}  // namespace
