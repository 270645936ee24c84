// The search for data files: the working directory, then $QUOR_DATA_DIR, then share/quor beside
// the program's bin folder, then (for the program in its build folder only) the source assets.
// Each test runs in an empty working directory of its own.
#include "image/data_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/bmp_writer.h"

namespace {

constexpr const char* kName = "probe.bmp";

class DataFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(work.path().empty());
    ASSERT_FALSE(other.path().empty());
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    previousDirectory = cwd;
    const char* env = std::getenv("QUOR_DATA_DIR");
    hadDataDir = env != nullptr;
    if (hadDataDir) previousDataDir = env;
    ASSERT_EQ(chdir(work.path().c_str()), 0);

    dataDir = other.File("data");
    installed = other.File("prefix/share/quor");
    program = other.File("prefix/bin/quor");
    for (const std::string& dir : {dataDir, other.File("prefix"), other.File("prefix/share"),
                                   installed, other.File("prefix/bin")}) {
      ASSERT_EQ(mkdir(dir.c_str(), 0755), 0) << dir;
    }
    ASSERT_EQ(setenv("QUOR_DATA_DIR", dataDir.c_str(), 1), 0);
  }

  void TearDown() override {
    EXPECT_EQ(chdir(previousDirectory.c_str()), 0);
    if (hadDataDir) {
      setenv("QUOR_DATA_DIR", previousDataDir.c_str(), 1);
    } else {
      unsetenv("QUOR_DATA_DIR");
    }
  }

  static void Put(const std::string& path, const char* content) {
    ASSERT_TRUE(
        testbmp::WriteBytes(path, std::vector<uint8_t>(content, content + strlen(content))));
  }

  // The search for `name` by a program at `exePath`: the path found, or "" and the report line.
  std::string Find(const std::string& exePath, const char* name, std::string* report = nullptr) {
    std::FILE* stream = std::tmpfile();
    EXPECT_NE(stream, nullptr);
    char found[kDataPathMax] = "untouched";
    const bool ok = FindDataFileFor(exePath.c_str(), name, found, sizeof found, stream);
    std::rewind(stream);
    char line[kDataPathMax] = "";
    const size_t length = std::fread(line, 1, sizeof line - 1, stream);
    line[length] = '\0';
    std::fclose(stream);
    if (report != nullptr) *report = line;
    EXPECT_EQ(ok, line[0] == '\0') << "one report line exactly when nothing is found: " << line;
    return ok ? std::string(found) : "";
  }

  testbmp::ScratchDir work;   // the working directory
  testbmp::ScratchDir other;  // the data folder and an installed prefix
  std::string dataDir, installed, program;
  std::string previousDirectory, previousDataDir;
  bool hadDataDir = false;
};

TEST_F(DataFiles, TheEarliestPlaceHoldingTheFileWinsWhateverItHolds) {
  Put(installed + "/" + kName, "BM installed");
  Put(dataDir + "/" + kName, "BM data dir");
  // Not an image at all: it still wins, so that a broken file is reported rather than bypassed.
  Put(work.File(kName), "garbage");
  EXPECT_EQ(Find(program, kName), std::string("./") + kName);

  ASSERT_EQ(unlink(work.File(kName).c_str()), 0);
  EXPECT_EQ(Find(program, kName), dataDir + "/" + kName);

  // An empty QUOR_DATA_DIR names no folder: the installed one is next.
  ASSERT_EQ(setenv("QUOR_DATA_DIR", "", 1), 0);
  EXPECT_EQ(Find(program, kName), installed + "/" + kName);
}

TEST_F(DataFiles, AFileFoundNowhereIsReportedWithEveryPlaceLookedIn) {
  // A folder of the same name is not the file.
  ASSERT_EQ(mkdir(work.File(kName).c_str(), 0755), 0);
  std::string report;
  EXPECT_EQ(Find(program, kName, &report), "");
  EXPECT_EQ(report, std::string("quor: probe.bmp not found (looked in: ., ") + dataDir + ", " +
                        installed + ")\n");

  ASSERT_EQ(setenv("QUOR_DATA_DIR", (dataDir + "//").c_str(), 1), 0);
  EXPECT_EQ(Find("/quor", kName, &report), "");
  EXPECT_EQ(report, std::string("quor: probe.bmp not found (looked in: ., ") + dataDir +
                        ", /share/quor)\n");
}

TEST_F(DataFiles, TheSourceAssetsServeOnlyTheProgramInItsBuildFolder) {
  char builtProgram[PATH_MAX];
  ASSERT_NE(realpath(QUOR_BINARY, builtProgram), nullptr) << "the program is built first";
  EXPECT_EQ(Find(builtProgram, "font.bmp"), std::string(QUOR_SOURCE_DIR) + "/assets/font.bmp");

  // The same program installed (or moved) elsewhere does not reach back into the source tree.
  std::string report;
  EXPECT_EQ(Find(program, "font.bmp", &report), "");
  EXPECT_EQ(report,
            "quor: font.bmp not found (looked in: ., " + dataDir + ", " + installed + ")\n");
}

}  // namespace
