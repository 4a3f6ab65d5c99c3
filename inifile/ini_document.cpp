// SPDX-License-Identifier: MIT
#include "inifile/ini_document.h"

#include <unordered_set>

#include "protocol/framing.h"
#include "protocol/text.h"

namespace inifile {

namespace {

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Sections and keys fold as all 8-bit text does, so a file's accented capitals match too.
bool SameName(std::string_view a, std::string_view b) {
  return protocol::EqualsIgnoreCase(a, b);
}

bool IsHeader(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() == '[';
}

std::string_view HeaderName(std::string_view line) {
  std::string_view trimmed = Trim(line);
  trimmed.remove_prefix(1);
  const size_t close = trimmed.find(']');
  return Trim(close == std::string_view::npos ? trimmed : trimmed.substr(0, close));
}

// The key of a "key=value" line; false for comments, headers and lines without "=".
bool SplitKeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return false;
  const size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return false;
  *key = Trim(trimmed.substr(0, equals));
  std::string_view v = Trim(trimmed.substr(equals + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  *value = v;
  return true;
}

// A name or value must stay on its line.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  std::vector<size_t> bare_cr_lines;  // their end is set once the file's style is known
  bool newline_known = false;
  size_t start = 0;
  while (start < text.size()) {
    const size_t stop = text.find_first_of("\r\n", start);
    Line line;
    if (stop == std::string_view::npos) {
      line.text.assign(text.substr(start));
      start = text.size();
    } else {
      line.text.assign(text.substr(start, stop - start));
      const bool crlf = text.substr(stop, 2) == "\r\n";
      if (text[stop] == '\r' && !crlf) {
        bare_cr_lines.push_back(lines_.size());
      } else {
        line.end = crlf ? "\r\n" : "\n";
        if (!newline_known) {
          newline_ = line.end;
          newline_known = true;
        }
      }
      start = stop + (crlf ? 2 : 1);
    }
    lines_.push_back(std::move(line));
  }
  // A bare CR is written back in the file's style; a file with only bare CRs becomes CR LF,
  // the form INI files have always had, which every reader splits into lines.
  if (!bare_cr_lines.empty() && !newline_known) newline_ = "\r\n";
  for (const size_t i : bare_cr_lines) lines_[i].end = newline_;
}

size_t IniDocument::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (IsHeader(lines_[i].text) && SameName(HeaderName(lines_[i].text), section)) return i;
  }
  return std::string::npos;
}

size_t IniDocument::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !IsHeader(lines_[i].text)) ++i;
  return i;
}

std::string IniDocument::Read(std::string_view section, std::string_view key,
                              std::string_view default_value) const {
  const size_t header = FindSection(section);
  if (header == std::string::npos) return std::string(default_value);
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    std::string_view k, v;
    if (SplitKeyLine(lines_[i].text, &k, &v) && SameName(k, key))
      return protocol::FirstChars(v, kMaxValueLength);
  }
  return std::string(default_value);
}

KeyValues IniDocument::ReadSection(std::string_view section) const {
  KeyValues result;
  const size_t header = FindSection(section);
  if (header == std::string::npos) return result;
  std::unordered_set<std::string> seen;
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    std::string_view k, v;
    if (SplitKeyLine(lines_[i].text, &k, &v) && seen.insert(protocol::LowerCase(k)).second) {
      result.emplace_back(std::string(k), protocol::FirstChars(v, kMaxValueLength));
    }
  }
  return result;
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string key_line = OneLine(key) + "=" + OneLine(value);
  auto insert_at = [this](size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), newline_});
  };

  const size_t header = FindSection(section);
  if (header == std::string::npos) {
    insert_at(lines_.size(), "[" + OneLine(section) + "]");
    insert_at(lines_.size(), key_line);
    return;
  }
  const size_t end = SectionEnd(header);
  size_t last_content = header;
  for (size_t i = header + 1; i < end; ++i) {
    std::string_view k, v;
    if (SplitKeyLine(lines_[i].text, &k, &v) && SameName(k, key)) {
      lines_[i].text = key_line;
      return;
    }
    if (!Trim(lines_[i].text).empty()) last_content = i;
  }
  insert_at(last_content + 1, key_line);
}

void IniDocument::ReplaceSection(std::string_view section, const KeyValues& keys) {
  DeleteSection(section);
  if (keys.empty()) return;
  if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = newline_;
  lines_.push_back(Line{"[" + OneLine(section) + "]", newline_});
  for (const auto& [key, value] : keys) {
    lines_.push_back(Line{OneLine(key) + "=" + OneLine(value), newline_});
  }
}

bool IniDocument::DeleteSection(std::string_view section) {
  bool found = false;
  // Every copy goes: deleting only the first would bring a stale duplicate back to life.
  for (size_t header = FindSection(section); header != std::string::npos;
       header = FindSection(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    found = true;
  }
  return found;
}

std::string IniDocument::Text() const {
  std::string text;
  for (const auto& line : lines_) {
    text.append(line.text);
    text.append(line.end);
  }
  return text;
}

}  // namespace inifile
