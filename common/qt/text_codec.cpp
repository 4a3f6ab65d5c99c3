// SPDX-License-Identifier: MIT
#include "common/qt/text_codec.h"

#include <array>

namespace scrawlbox {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five unassigned bytes there map to
// the C1 controls of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Decode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

}  // namespace

QString FromWire(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) text.append(QChar(Decode(static_cast<unsigned char>(c))));
  return text;
}

std::string ToWire(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (const QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.push_back(static_cast<char>(u));
      continue;
    }
    char out = '?';
    for (size_t i = 0; i < kHighControls.size(); ++i) {
      if (kHighControls[i] == u) {
        out = static_cast<char>(0x80 + i);
        break;
      }
    }
    bytes.push_back(out);
  }
  return bytes;
}

QString Printable(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char16_t u = Decode(byte);
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F)) {
      text += QLatin1Char('<') + QString::number(byte) + QLatin1Char('>');
    } else {
      text.append(QChar(u));
    }
  }
  return text;
}

}  // namespace scrawlbox
