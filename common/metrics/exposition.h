// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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

// One part of a merged exposition: its samples get the label name=value (none when the value is
// empty).
struct LabelledPart {
  std::string_view value;
  std::string_view text;
};
// Expositions of the same families as one: each family announced once, by the first part that
// has it, followed by the samples of every part, labelled. A name may be announced only once in
// a scrape, so the parts cannot simply be joined.
std::string MergeLabelled(std::string_view name, const std::vector<LabelledPart>& parts);

// A number as the text format writes it: NaN, +Inf and -Inf by those names.
std::string FormatValue(double value);

}  // namespace metrics
