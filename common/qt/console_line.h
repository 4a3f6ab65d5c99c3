// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdio>

namespace scrawlbox {

// The time of day as every log line starts: "HH:mm:ss".
QString ClockStamp();

// Writes the line and a line break as UTF-8 and flushes at once: these logs are read live.
void WriteConsoleLine(std::FILE* out, const QString& line);

}  // namespace scrawlbox
