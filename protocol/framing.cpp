// SPDX-License-Identifier: MIT
#include "protocol/framing.h"

#include <algorithm>

namespace protocol {

std::string Frame(std::string_view command, std::string_view data) {
  std::string out;
  out.reserve(command.size() + data.size() + 2);
  out.append(command);
  out.push_back(kCommandSep);
  out.append(data);
  out.push_back(kMessageEnd);
  return out;
}

std::string_view LeftOf(std::string_view text, char separator) {
  const size_t at = text.find(separator);
  return at == std::string_view::npos ? text : text.substr(0, at);
}

std::string_view RightOf(std::string_view text, char separator) {
  const size_t at = text.find(separator);
  return at == std::string_view::npos ? std::string_view{} : text.substr(at + 1);
}

Message ParseMessage(std::string_view raw) {
  return Message{std::string(LeftOf(raw, kCommandSep)), std::string(RightOf(raw, kCommandSep))};
}

std::vector<std::string> SplitFields(std::string_view data, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    const size_t at = data.find(separator, start);
    if (at == std::string_view::npos) {
      fields.emplace_back(data.substr(start));
      return fields;
    }
    fields.emplace_back(data.substr(start, at - start));
    start = at + 1;
  }
}

std::string JoinFields(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out.push_back(separator);
    out.append(fields[i]);
  }
  return out;
}

const std::string& FieldOr(const std::vector<std::string>& fields, size_t index) {
  static const std::string kEmpty;
  return index < fields.size() ? fields[index] : kEmpty;
}

bool IsBlankData(std::string_view data) {
  return data.empty() || data == "\r\n" || data == "\r\n\r\n";
}

std::string FirstChars(std::string_view text, size_t n) {
  return std::string(text.substr(0, std::min(n, text.size())));
}

std::string StripControlCodes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte != 127) out.push_back(c);
  }
  return out;
}

}  // namespace protocol
