#include "controls/OrvekValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace orvek {

std::string DeleteSpace(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out.push_back(c);
  return out;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the accepted number syntax on [pos, end) and returns whether it matches.
bool MatchesNumber(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t mantissaDigits = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      ++mantissaDigits;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
      ++i;
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

}  // namespace

std::optional<double> StringToFloat(std::string_view text) {
  std::string s(text);
  if (s.find('.') == std::string::npos) {
    const auto comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
  }
  size_t start = 0;
  while (start < s.size() && s[start] == ' ') ++start;
  std::string_view body(s);
  body.remove_prefix(start);
  if (!MatchesNumber(body)) return std::nullopt;

  bool negative = false;
  if (body.front() == '+' || body.front() == '-') {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value,
                                         std::chars_format::general);
  if (ec != std::errc() || ptr != body.data() + body.size() || !std::isfinite(value))
    return std::nullopt;
  return negative ? -value : value;
}

namespace {

// Nearest multiple of step for a typed decimal text, computed exactly in decimal, so that
// a typed half such as 1.005 at step 0.01 goes up as written rather than down because
// of its binary representation. Returns nullopt (with tooLarge set when the number of
// steps does not fit 32 bits) or, for texts and steps it cannot handle exactly (long
// mantissas, large exponents, steps that are not a whole number of millionths), leaves
// the work to the binary rounding by returning nullopt with exact set to false.
struct DecimalRounding {
  std::optional<double> value;
  bool exact = false;
  bool tooLarge = false;
};

using i128 = __int128;

i128 Pow10(int n) {
  i128 r = 1;
  while (n-- > 0) r *= 10;
  return r;
}

i128 FloorDiv(i128 a, i128 b) {  // b > 0
  i128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

DecimalRounding RoundDecimalText(std::string_view text, double step) {
  DecimalRounding r;
  if (step == 0.0) step = 1.0;
  const double scaled = step * 1e6;
  const long long sn = std::llround(scaled);
  if (sn <= 0 || std::fabs(scaled - static_cast<double>(sn)) > 1e-6) return r;

  std::string s(text);
  if (s.find('.') == std::string::npos) {
    const auto comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
  }
  size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return r;
  int sign = 1;
  if (s[i] == '+' || s[i] == '-') sign = s[i++] == '-' ? -1 : 1;
  std::string digits;
  int fracDigits = 0;
  bool point = false;
  for (; i < s.size() && (IsDigit(s[i]) || s[i] == '.'); ++i) {
    if (s[i] == '.') {
      point = true;
    } else {
      digits.push_back(s[i]);
      if (point) ++fracDigits;
    }
  }
  long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    const std::string e = s.substr(i + 1);
    if (e.size() > 4) return r;
    exponent = std::stol(e);
  }
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.size() > 18) return r;
  const long e10 = exponent - fracDigits + 6;  // value / step = sign * M * 10^e10 / sn
  if (e10 > 18 || e10 < -14) return r;

  i128 m = 0;
  for (char c : digits) m = m * 10 + (c - '0');
  i128 num = sign * m;
  i128 den = sn;
  if (e10 >= 0)
    num *= Pow10(static_cast<int>(e10));
  else
    den *= Pow10(static_cast<int>(-e10));
  const i128 k = FloorDiv(2 * num + den, 2 * den);
  r.exact = true;
  if (k > std::numeric_limits<int32_t>::max() || k < std::numeric_limits<int32_t>::min()) {
    r.tooLarge = true;
    return r;
  }
  // k * sn millionths, read as the double nearest to that decimal.
  const long long units = static_cast<long long>(k) * sn;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s%lld.%06lld", units < 0 ? "-" : "", std::llabs(units) / 1000000,
                std::llabs(units) % 1000000);
  double v = 0;
  std::from_chars(buf + (units < 0 ? 1 : 0), buf + std::strlen(buf), v);
  r.value = units < 0 ? -v : v;
  if (*r.value == 0.0) r.value = 0.0;
  return r;
}

// Rounds a readable text to the step: exactly in decimal where possible.
std::optional<double> RoundText(std::string_view text, double parsed, double step, bool& tooLarge) {
  const DecimalRounding d = RoundDecimalText(text, step);
  tooLarge = d.tooLarge;
  if (d.exact) return d.value;
  const auto h = RoundToStep(parsed, step);
  tooLarge = !h.has_value();
  return h;
}

}  // namespace

std::optional<double> RoundToStep(double value, double step) {
  if (step == 0.0) step = 1.0;
  const double q = 1.0 / step;
  const double steps = std::floor(q * value + 0.5);
  if (!std::isfinite(steps) || steps > std::numeric_limits<int32_t>::max() ||
      steps < std::numeric_limits<int32_t>::min())
    return std::nullopt;
  const double result = steps / q;
  if (!std::isfinite(result)) return std::nullopt;
  return result;
}

std::string FormatFixed(double value, int digits, char separator) {
  if (!std::isfinite(value)) return std::string();
  if (digits < 0) digits = 0;
  // Exact decimal expansion well past the wanted decimals, then round half away from zero.
  char buf[512];
  const int extra = 40;
  std::snprintf(buf, sizeof buf, "%.*f", digits + extra, std::fabs(value));
  std::string s(buf);
  const auto point = s.find('.');
  std::string intPart = s.substr(0, point);
  std::string frac = s.substr(point + 1);
  std::string kept = intPart + frac.substr(0, static_cast<size_t>(digits));
  const bool roundUp = frac[static_cast<size_t>(digits)] >= '5';
  if (roundUp) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0) {
      if (kept[static_cast<size_t>(i)] == '9') {
        kept[static_cast<size_t>(i)] = '0';
        --i;
      } else {
        ++kept[static_cast<size_t>(i)];
        break;
      }
    }
    if (i < 0) kept.insert(kept.begin(), '1');
  }
  const size_t intLen = kept.size() - static_cast<size_t>(digits);
  std::string out = kept.substr(0, intLen);
  if (digits > 0) {
    out.push_back(separator);
    out += kept.substr(intLen);
  }
  const bool allZero = kept.find_first_not_of('0') == std::string::npos;
  if (std::signbit(value) && !allZero) out.insert(out.begin(), '-');
  return out;
}

bool IsOutOfRange(double value, double minValue, double maxValue) {
  return value > maxValue || !(value >= minValue);
}

ExitResult FormatOnExit(std::string_view text, double step, int digits, bool forceSign) {
  ExitResult r;
  const std::string t = DeleteSpace(text);
  if (t.empty()) {
    r.status = ExitResult::Status::Empty;
    r.text = std::string(text);
    return r;
  }
  const auto x = StringToFloat(t);
  if (!x) {
    r.status = ExitResult::Status::Unreadable;
    r.text = std::string(text);
    return r;
  }
  bool tooLarge = false;
  const auto h = RoundText(t, *x, step, tooLarge);
  if (!h) {
    r.status = ExitResult::Status::TooLarge;
    r.text = std::string(text);
    return r;
  }
  r.status = ExitResult::Status::Formatted;
  r.value = *h;
  r.text = FormatFixed(*h, digits, '.');
  if (forceSign && *h > 0) r.text.insert(r.text.begin(), '+');
  return r;
}

double ReadValue(std::string_view text, double step, double defaultValue, double factor) {
  if (text.empty()) return defaultValue;
  const auto x = StringToFloat(text);
  if (!x) return defaultValue;
  bool tooLarge = false;
  const auto h = RoundText(text, *x, step, tooLarge);
  if (!h) return defaultValue;
  return *h / factor;
}

}  // namespace orvek
