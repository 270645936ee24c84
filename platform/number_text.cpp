// Whole numbers and plain decimals (see platform/number_text.h).
#include "platform/number_text.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {
constexpr int kMaxDecimalDigits = 20;  // beyond any value a setting takes; no overflow
}  // namespace

bool ParseWholeNumber(const char* text, uint64_t min, uint64_t max, uint64_t* value, int base) {
  if (text == nullptr || text[0] == '\0') return false;
  for (const char* c = text; *c != '\0'; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (base == 16 ? !std::isxdigit(u) : !std::isdigit(u)) return false;
  }
  errno = 0;
  char* end = nullptr;
  const unsigned long long n = std::strtoull(text, &end, base);
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
  if (digits == 0 || digits > kMaxDecimalDigits) return false;
  errno = 0;
  char* end = nullptr;
  *value = std::strtod(text, &end);
  return errno == 0 && *end == '\0';
}
