// X window ids as the X11 embedding reads them from the command line: hex or decimal, within the
// XID range; a refused id leaves the value as it was.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/embed_window.h"

namespace {

// Window ids as screen savers write them in $XSCREENSAVER_WINDOW and on command lines.
TEST(X11EmbedWindow, WindowIdsAreReadOrRefused) {
  for (const char* text : {"0x60000C", "0X1a", "6291468", "536870911"}) {
    unsigned long id = 7;
    EXPECT_TRUE(ParseWindowId(text, &id)) << text;
    EXPECT_EQ(id, std::strtoul(text, nullptr, 0)) << text;
  }
  // Out of range (None, and ids with the top three bits set), then garbage.
  for (const char* text : {"0", "0x20000000", "0xFFFFFFFFFFFFFFFFFF", "", "0x", "0x0x5", "0X0x5",
                           "-5", " 5", "60000C", "12abc"}) {
    unsigned long id = 7;
    EXPECT_FALSE(ParseWindowId(text, &id)) << text;
    EXPECT_EQ(id, 7u) << text << ": a refused id must leave the value";
  }
}

}  // namespace
