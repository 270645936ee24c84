// Frame capture: the back buffer read just before the swap and saved as PNG, for --capture and
// for screenshots. The pixel buffer grows only when the window does, never per frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Checks that the capture path (or pattern) can be written, before the first frame, making the
// folders it names that do not exist yet. On failure says why on err and returns false.
bool StartCapture(const char* pathOrPattern, std::FILE* err);
// Reads the finished frame from the back buffer; saves it at once when the path has a frame
// number (making the folders its name needs), else keeps it for FinishCapture. A write that
// fails is reported on stderr and remembered.
void CaptureFrame(uint64_t frameNumber);
// Saves the last frame read, when the path has no frame number; that save runs once. False
// when any frame of the run could not be saved, on this call or on every later one: every way
// out then ends with status 1.
bool FinishCapture();

// Reads the back buffer of the current window and writes it to path. False when the file
// cannot be written.
bool SaveBackBuffer(const char* path);

// True for a capture path holding one frame-number conversion (%d, or %0Nd with N from 1 to 99);
// %% stands for a percent sign, in a per-frame pattern and in a single file's name alike. Any
// other conversion (%5d pads with spaces) makes the pattern invalid (*valid false). dAt, if
// given, receives the offset of the conversion's 'd'.
bool CapturePatternHasFrameNumber(const char* path, bool* valid, size_t* dAt = nullptr);

// A single file's name from a capture path without a frame number: each %% becomes %.
std::string CaptureFileName(const char* path);
