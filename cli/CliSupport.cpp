#include "cli/CliSupport.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "pages/Common.h"

namespace cli {

Options::Options(const std::vector<std::string>& args, std::vector<std::string_view> valueOptions,
                 std::vector<std::string_view> flags) {
  auto known = [](const std::vector<std::string_view>& list, std::string_view name) {
    for (auto n : list)
      if (n == name) return true;
    return false;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) throw Failure{kExitInput, "Unerwartetes Argument: " + a};
    std::string name = a.substr(2);
    std::optional<std::string> inlineValue;
    if (const auto eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    if (known(flags, name)) {
      if (inlineValue) throw Failure{kExitInput, "Die Option --" + name + " nimmt keinen Wert."};
      flags_.push_back(name);
    } else if (known(valueOptions, name)) {
      if (!inlineValue) {
        if (i + 1 >= args.size()) throw Failure{kExitInput, "Fehlender Wert nach --" + name};
        inlineValue = args[++i];
      }
      for (const auto& [n, v] : values_)
        if (n == name) throw Failure{kExitInput, "Die Option --" + name + " ist doppelt angegeben."};
      values_.emplace_back(name, *inlineValue);
    } else {
      throw Failure{kExitInput, "Unbekannte Option: --" + name};
    }
  }
}

bool Options::Has(std::string_view name) const { return Value(name).has_value() || Flag(name); }

std::optional<std::string> Options::Value(std::string_view name) const {
  for (const auto& [n, v] : values_)
    if (n == name) return v;
  return std::nullopt;
}

bool Options::Flag(std::string_view name) const {
  for (const auto& f : flags_)
    if (f == name) return true;
  return false;
}

std::optional<double> ReadOptionalField(const Options& options, std::string_view option,
                                        const orvek::FieldSpec& field, char separator,
                                        bool checkRange) {
  const auto text = options.Value(option);
  if (!text) return std::nullopt;
  const auto r = orvek::FormatOnExit(*text, field.step, field.digits);
  using S = orvek::ExitResult::Status;
  const Failure unreadable{kExitInput, "Der Wert für [" + std::string(field.displayName) + "] (--" +
                                           std::string(option) + ") ist keine gültige Zahl: \"" +
                                           *text + "\""};
  switch (r.status) {
    case S::Empty:
    case S::Unreadable:
      throw unreadable;
    case S::TooLarge:
      if (!checkRange) throw unreadable;
      throw Failure{kExitInput, pages::OutOfRangeMessage(field, separator)};
    case S::Formatted:
      break;
  }
  if (checkRange && orvek::IsOutOfRange(r.value, field.minValue, field.maxValue))
    throw Failure{kExitInput, pages::OutOfRangeMessage(field, separator)};
  // The page reads the formatted text back; that gives the rounded value again.
  return orvek::ReadValue(r.text, field.step, field.defaultValue);
}

double ReadField(const Options& options, std::string_view option, const orvek::FieldSpec& field,
                 char separator) {
  const auto v = ReadOptionalField(options, option, field, separator);
  if (!v)
    throw Failure{kExitInput, "Fehlende Angabe für [" + std::string(field.displayName) +
                                  "]: --" + std::string(option)};
  return *v;
}

bool ReadYesNo(const Options& options, std::string_view option, bool defaultValue) {
  const auto v = options.Value(option);
  if (!v) return defaultValue;
  if (*v == "yes" || *v == "ja") return true;
  if (*v == "no" || *v == "nein") return false;
  throw Failure{kExitInput, "--" + std::string(option) + " erwartet yes oder no, nicht \"" + *v + "\""};
}

namespace {

// Languages whose usual decimal separator is a comma.
bool LanguageUsesComma(std::string_view locale) {
  if (locale.rfind("de_CH", 0) == 0 || locale.rfind("de_LI", 0) == 0) return false;
  static const char* const kComma[] = {"de", "fr", "it", "es", "nl", "pt", "pl", "cs", "sk", "da",
                                       "sv", "fi", "nb", "nn", "no", "ru", "uk", "tr", "el", "hu",
                                       "sl", "hr", "ro", "bg", "et", "lv", "lt", "id", "vi", "ca"};
  const std::string_view lang = locale.substr(0, locale.find_first_of("_.@"));
  for (const char* c : kComma)
    if (lang == c) return true;
  return false;
}

}  // namespace

char LocaleDecimalSeparator() {
  const char* name = nullptr;
  for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) {
      name = v;
      break;
    }
  }
  if (!name) return '.';
  // Ask the C library when the locale is installed, else judge by the language.
  char sep = LanguageUsesComma(name) ? ',' : '.';
  if (std::setlocale(LC_NUMERIC, name)) {
    const char* dp = std::localeconv()->decimal_point;
    if (dp && std::strlen(dp) == 1) sep = dp[0];
  }
  std::setlocale(LC_NUMERIC, "C");
  return sep;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  if (value == 0.0) value = 0.0;  // no "-0"
  char buf[64];
  const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc()) return "null";
  return std::string(buf, ptr);
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", c);
          out += esc;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  out += "\"";
  return out;
}

JsonObject& JsonObject::Number(std::string_view key, double value) {
  return Raw(key, JsonNumber(value));
}
JsonObject& JsonObject::Integer(std::string_view key, long long value) {
  return Raw(key, std::to_string(value));
}
JsonObject& JsonObject::String(std::string_view key, std::string_view value) {
  return Raw(key, JsonString(value));
}
JsonObject& JsonObject::Bool(std::string_view key, bool value) {
  return Raw(key, value ? "true" : "false");
}
JsonObject& JsonObject::Null(std::string_view key) { return Raw(key, "null"); }
JsonObject& JsonObject::Strings(std::string_view key, const std::vector<std::string>& values) {
  std::string s = "[";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) s += ", ";
    s += JsonString(values[i]);
  }
  s += "]";
  return Raw(key, s);
}
JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
  members_.emplace_back(std::string(key), std::string(json));
  return *this;
}

std::string JsonObject::Text() const {
  std::string s = "{\n";
  for (size_t i = 0; i < members_.size(); ++i) {
    s += "  " + JsonString(members_[i].first) + ": " + members_[i].second;
    s += (i + 1 < members_.size()) ? ",\n" : "\n";
  }
  s += "}\n";
  return s;
}

}  // namespace cli
