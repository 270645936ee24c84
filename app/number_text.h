// Numbers as the command line writes them: whole numbers and plain decimals, nothing before or
// after them. Shared by every option that takes a number, so that all read them alike.
#pragma once

#include <cstdint>

// A whole decimal number from min to max: digits only, no sign, no blanks.
bool ParseWholeNumber(const char* text, uint64_t min, uint64_t max, uint64_t* value);

// Plain decimal notation only ("1", "0.5", "-2.25", ".5"): strtod alone would also take "inf",
// "nan", hexadecimal and exponents, none of which a user means on a command line.
bool ParsePlainDecimal(const char* text, double* value);
