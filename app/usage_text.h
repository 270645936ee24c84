// The text of --help: what the program is, its options and its exit statuses, in the words of
// the window system it was built for.
#pragma once

#include <string>

const std::string& UsageText();
