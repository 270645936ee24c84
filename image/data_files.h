// Finding the program's data files (the font and the particle texture): the working directory
// first, then $QUOR_DATA_DIR, the installed data folder beside the program (share/quor on X11,
// assets on Windows) and, for a build, the source assets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Room for any path the search can produce.
constexpr std::size_t kDataPathMax = 4096;

// Writes to `out` the path of the first existing `name` in, in this order: the working directory
// ("./name"), $QUOR_DATA_DIR if set and not empty, the platform's ProgramDataFolder beside the
// program (<prefix>/share/quor for <prefix>/bin/quor on X11, <folder>/assets for
// <folder>/quor.exe on Windows), and the source tree's assets/ for the program as built in its
// build folder. exePath is absolute with '/' separators, or empty when unknown.
// The first file that exists wins, whether it turns out readable or not. When there is none,
// prints one line naming the file and the places looked in on stderr and returns false.
bool FindDataFile(const char* name, char* out, std::size_t outSize);

// A data file as found: the path of a file (the search above wins), or else the copy the program
// carries inside itself (platform/platform.h, ProgramResource), which lives as long as the program.
struct DataFile {
  char path[kDataPathMax] = {};
  const uint8_t* bytes = nullptr;
  std::size_t size = 0;
  bool InProgram() const { return bytes != nullptr; }
};
// FindDataFile's search, then the program's own copy; the not-found line only when neither is
// there.
bool FindDataFileOrCopy(const char* name, DataFile* out);

// The same search for a program at `exePath`, with the not-found line written to `report` (none
// when it is null).
bool FindDataFileFor(const char* exePath, const char* name, char* out, std::size_t outSize,
                     std::FILE* report);

// Prints the one line that says a found image could not be decoded as `what`.
void ReportUnreadableImage(const char* path, const char* what = "a BMP image");
