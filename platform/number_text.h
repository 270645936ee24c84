// Numbers as a command line, a saved setting or a window id writes them: whole numbers and plain
// decimals, nothing before or after them. Pure text shared by every platform, so that the
// options, the saver's saved settings and the window ids all read numbers alike.
#pragma once

#include <cstdint>

// A whole number from min to max in base 10 or 16: digits of that base only (no sign, no
// blanks, no "0x"), so that strtoull's leniencies never let a typing mistake through.
bool ParseWholeNumber(const char* text, uint64_t min, uint64_t max, uint64_t* value, int base = 10);

// Plain decimal notation only, with an optional sign ("1", "0.5", "-2.25", "+.5"): strtod alone
// would also take "inf", "nan", hexadecimal, exponents and a locale's decimal comma, none of
// which a user means.
bool ParsePlainDecimal(const char* text, double* value);
