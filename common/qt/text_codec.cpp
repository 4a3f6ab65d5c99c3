// SPDX-License-Identifier: MIT
#include "common/qt/text_codec.h"

#include "protocol/text.h"

namespace scrawlbox {

using protocol::Cp1252Byte;
using protocol::Cp1252Character;

QString FromWire(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    text.append(QChar(static_cast<char16_t>(Cp1252Character(static_cast<unsigned char>(c)))));
  }
  return text;
}

std::string ToWire(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  // Each half of a surrogate pair is a character Windows-1252 cannot hold.
  for (const QChar ch : text) bytes.push_back(Cp1252Byte(ch.unicode()));
  return bytes;
}

QString Printable(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char32_t u = Cp1252Character(byte);
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F)) {
      text += QLatin1Char('<') + QString::number(byte) + QLatin1Char('>');
    } else {
      text.append(QChar(static_cast<char16_t>(u)));
    }
  }
  return text;
}

}  // namespace scrawlbox
