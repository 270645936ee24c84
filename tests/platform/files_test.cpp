// The platform's files and folders, against the backend that was built: the program's own path,
// canonical paths, and making and removing one folder at a time.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

class PlatformFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fs::temp_directory_path() / ("quor-platform-" + std::to_string(MonotonicMicroseconds()));
    ASSERT_TRUE(fs::create_directory(base));
  }
  void TearDown() override { fs::remove_all(base); }
  std::string Path(const char* name) const { return (base / name).generic_string(); }
  fs::path base;
};

TEST_F(PlatformFolders, AFolderIsMadeOnceThenFoundAndRemoved) {
  const std::string folder = Path("shots");
  EXPECT_EQ(MakeFolder(folder.c_str()), MakeFolderResult::kMade);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(MakeFolder(folder.c_str()), MakeFolderResult::kExists);
  EXPECT_TRUE(RemoveFolder(folder.c_str()));
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_FALSE(RemoveFolder(folder.c_str())) << "removed twice";
}

TEST_F(PlatformFolders, AFileInTheWayOrAMissingParentFails) {
  const std::string file = Path("taken");
  std::ofstream(file) << "x";
  EXPECT_EQ(MakeFolder(file.c_str()), MakeFolderResult::kFailed);
  EXPECT_TRUE(fs::is_regular_file(file));
  const std::string deep = Path("missing/child");
  EXPECT_EQ(MakeFolder(deep.c_str()), MakeFolderResult::kFailed);
  EXPECT_FALSE(fs::exists(Path("missing")));
  // What each path is, as the capture and the image search ask it.
  EXPECT_EQ(PathKindOf(file.c_str()), PathKind::kFile);
  EXPECT_EQ(PathKindOf(Path("").c_str()), PathKind::kFolder);
  EXPECT_EQ(PathKindOf(deep.c_str()), PathKind::kNothing);
}

TEST_F(PlatformFolders, RemovingAFolderThatHoldsAFileFails) {
  const std::string folder = Path("full");
  ASSERT_EQ(MakeFolder(folder.c_str()), MakeFolderResult::kMade);
  std::ofstream(Path("full/frame.png")) << "x";
  EXPECT_FALSE(RemoveFolder(folder.c_str()));
  EXPECT_TRUE(fs::is_regular_file(Path("full/frame.png")));
}

TEST_F(PlatformFolders, CanonicalPathResolvesDotsToTheSameFolder) {
  ASSERT_EQ(MakeFolder(Path("a").c_str()), MakeFolderResult::kMade);
  ASSERT_EQ(MakeFolder(Path("b").c_str()), MakeFolderResult::kMade);
  char viaDots[4096], direct[4096];
  ASSERT_TRUE(CanonicalPath(Path("a/./../b").c_str(), viaDots, sizeof viaDots));
  ASSERT_TRUE(CanonicalPath(Path("b").c_str(), direct, sizeof direct));
  EXPECT_STREQ(viaDots, direct);
  EXPECT_GT(PathRootLength(direct), 0u) << direct;
  EXPECT_EQ(std::string(direct).find('\\'), std::string::npos) << direct;
  EXPECT_EQ(fs::path(direct), fs::canonical(base / "b"));
}

TEST_F(PlatformFolders, CanonicalPathRefusesWhatIsMissingOrDoesNotFit) {
  char out[4096];
  EXPECT_FALSE(CanonicalPath(Path("nowhere").c_str(), out, sizeof out));
  char tiny[4];
  EXPECT_FALSE(CanonicalPath(Path("").c_str(), tiny, sizeof tiny));
}

TEST(PlatformProgram, ProgramPathIsThisTestProgramAbsoluteAndCanonical) {
  char path[4096];
  ASSERT_TRUE(ProgramPath(path, sizeof path));
  EXPECT_GT(PathRootLength(path), 0u) << path;
  EXPECT_EQ(std::string(path).find('\\'), std::string::npos) << path;
  EXPECT_EQ(fs::path(path).stem(), "platform_tests");
  char canonical[4096];
  ASSERT_TRUE(CanonicalPath(path, canonical, sizeof canonical));
  EXPECT_STREQ(canonical, path);
  char tiny[4];
  EXPECT_FALSE(ProgramPath(tiny, sizeof tiny));
}

}  // namespace
