// Whole numbers and plain decimals of the command line (see app/number_text.h).
#include "app/number_text.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

bool ParseWholeNumber(const char* text, uint64_t min, uint64_t max, uint64_t* value) {
  if (text == nullptr || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long n = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0' || n < min || n > max) return false;
  *value = n;
  return true;
}

bool ParsePlainDecimal(const char* text, double* value) {
  if (text == nullptr) return false;
  const char* p = text;
  if (*p == '+' || *p == '-') ++p;
  int digits = 0, points = 0;
  for (; *p != '\0'; ++p) {
    if (std::isdigit(static_cast<unsigned char>(*p))) {
      ++digits;
    } else if (*p == '.' && points == 0) {
      ++points;
    } else {
      return false;
    }
  }
  if (digits == 0 || digits > 20) return false;
  errno = 0;
  char* end = nullptr;
  *value = std::strtod(text, &end);
  return errno == 0 && *end == '\0';
}
