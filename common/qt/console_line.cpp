// SPDX-License-Identifier: MIT
#include "common/qt/console_line.h"

#include <QTime>

namespace scrawlbox {

QString ClockStamp() {
  return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

void WriteConsoleLine(std::FILE* out, const QString& line) {
  const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out);
  std::fflush(out);
}

}  // namespace scrawlbox
