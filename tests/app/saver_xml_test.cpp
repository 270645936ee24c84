// dist/quor.xml is what the table of settings gives: a setting changed in the table and not in
// the file (or the file edited by hand) fails here, with the file the table gives written beside
// the test for a look and a copy.
#include "app/saver_xml.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(SaverXml, TheInstalledFileIsWhatTheTableOfSettingsGives) {
  const std::string path = std::string(QUOR_SOURCE_DIR) + "/dist/quor.xml";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  const std::string installed((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
  const std::string made = XscreensaverSettingsXml();
  if (installed != made) {
    std::ofstream("quor.xml.from-table", std::ios::binary) << made;
    ADD_FAILURE() << path << " differs from the table; the table gives quor.xml.from-table in "
                  << "the test's folder";
  }
  // The scene's menu, which has no label of its own, names it in each entry. (What the entries
  // offer is rendered by DialogValues, and parsed by ScreenSaverSettings.)
  EXPECT_NE(made.find("_label=\"Scene: Flames\""), std::string::npos);
}

}  // namespace
