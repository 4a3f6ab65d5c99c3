// SPDX-License-Identifier: MIT
#include "common/metrics/exposition.h"

#include <cmath>
#include <cstdio>
#include <map>

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

std::string MergeLabelled(std::string_view name, const std::vector<LabelledPart>& parts) {
  struct Family {
    std::string head;  // its HELP and TYPE lines
    std::string samples;
    size_t announced_by = 0;
  };
  std::vector<Family> families(1);  // the first for samples before any announcement
  std::map<std::string, size_t, std::less<>> index;
  for (size_t number = 0; number < parts.size(); ++number) {
    const LabelledPart& part = parts[number];
    std::string label;
    if (!part.value.empty()) {
      label.append(name).append("=\"");
      AppendEscaped(label, part.value, true);
      label += '"';
    }
    size_t current = 0;
    std::string_view rest = part.text;
    while (!rest.empty()) {
      const size_t end = rest.find('\n');
      const std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      if (line.empty()) continue;
      if (line.starts_with("# HELP ") || line.starts_with("# TYPE ")) {
        const std::string_view family = line.substr(7, line.find(' ', 7) - 7);
        auto [it, added] = index.emplace(std::string(family), families.size());
        if (added) families.emplace_back().announced_by = number;
        current = it->second;
        if (families[current].announced_by == number) {
          families[current].head.append(line).push_back('\n');
        }
        continue;
      }
      if (line.front() == '#') continue;
      std::string& out = families[current].samples;
      const size_t brace = line.find('{');
      const size_t space = line.find(' ');
      if (label.empty()) {
        out.append(line);
      } else if (brace < space) {
        out.append(line.substr(0, brace + 1)).append(label);
        if (line[brace + 1] != '}') out += ',';
        out.append(line.substr(brace + 1));
      } else {
        out.append(line.substr(0, space)).append("{").append(label).append("}");
        out.append(line.substr(space));
      }
      out += '\n';
    }
  }
  std::string text;
  for (const Family& family : families) text.append(family.head).append(family.samples);
  return text;
}

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
