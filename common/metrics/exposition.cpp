// SPDX-License-Identifier: MIT
#include "common/metrics/exposition.h"

#include <cmath>
#include <cstdio>

namespace metrics {

namespace {

// Help text escapes the backslash and the line feed; label values also the double quote.
void AppendEscaped(std::string& out, std::string_view text, bool quote) {
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (quote && c == '"') {
      out += "\\\"";
    } else {
      out.push_back(c);
    }
  }
}

}  // namespace

std::string FormatValue(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "+Inf" : "-Inf";
  char buffer[32];
  // Up to 2^53 every whole number is exact in a double; write it as an integer.
  if (value == std::floor(value) && std::fabs(value) <= 9007199254740992.0) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
  }
  return buffer;
}

void Exposition::Family(std::string_view name, std::string_view type, std::string_view help) {
  family_ = name;
  text_ += "# HELP ";
  text_ += name;
  text_ += ' ';
  AppendEscaped(text_, help, false);
  text_ += "\n# TYPE ";
  text_ += name;
  text_ += ' ';
  text_ += type;
  text_ += '\n';
}

void Exposition::Sample(double value, std::initializer_list<Label> labels) {
  text_ += family_;
  if (labels.size() > 0) {
    char separator = '{';
    for (const Label& label : labels) {
      text_ += separator;
      text_ += label.name;
      text_ += "=\"";
      AppendEscaped(text_, label.value, true);
      text_ += '"';
      separator = ',';
    }
    text_ += '}';
  }
  text_ += ' ';
  text_ += FormatValue(value);
  text_ += '\n';
}

}  // namespace metrics
