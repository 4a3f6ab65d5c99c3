// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace metrics {

// The media type of the Prometheus text format the exposition writes.
inline constexpr std::string_view kContentType = "text/plain; version=0.0.4; charset=utf-8";

struct Label {
  std::string_view name;
  std::string_view value;
};

// Builds a scrape answer in the Prometheus text format: each family announced once by its HELP
// and TYPE lines, its samples right after.
class Exposition {
 public:
  void Counter(std::string_view name, std::string_view help) { Family(name, "counter", help); }
  void Gauge(std::string_view name, std::string_view help) { Family(name, "gauge", help); }

  // A sample of the family begun last. Label values are escaped; whole numbers are written
  // without a fraction, so counters read as the integers they are.
  void Sample(double value, std::initializer_list<Label> labels = {});

  const std::string& text() const { return text_; }
  std::string Take() { return std::move(text_); }

 private:
  void Family(std::string_view name, std::string_view type, std::string_view help);

  std::string text_;
  std::string family_;
};

// A number as the text format writes it: NaN, +Inf and -Inf by those names.
std::string FormatValue(double value);

}  // namespace metrics
