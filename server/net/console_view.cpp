// SPDX-License-Identifier: MIT
#include "server/net/console_view.h"

#include "common/qt/console_line.h"
#include "common/qt/text_codec.h"

namespace server {

void ConsoleView::WriteLine(const char* tag, const std::string& text, int icon) {
  const scrawlbox::Severity severity = icon == kIconError     ? scrawlbox::Severity::kError
                                       : icon == kIconWarning ? scrawlbox::Severity::kWarning
                                                              : scrawlbox::Severity::kInfo;
  scrawlbox::WriteConsoleLine(out_, scrawlbox::LogLineStart(severity) + QLatin1Char('[') +
                                        QString::fromLatin1(tag) + QStringLiteral("] ") +
                                        scrawlbox::Printable(text));
}

void ConsoleView::WriteAnswer(const std::string& text) {
  scrawlbox::WriteConsoleLine(out_, scrawlbox::Printable(text));
}

void ConsoleView::Log(LogKind kind, const std::string& text, int icon) {
  switch (kind) {
    case LogKind::kConnections:
      WriteLine("connections", text, icon);
      break;
    case LogKind::kChat:
      WriteLine("chat", text, icon);
      break;
    case LogKind::kGeneral:
      WriteLine("general", text, icon);
      break;
  }
}

void ConsoleView::SetStatusMessage(const std::string& text, int icon) {
  WriteLine("status", text, icon);
}

void ConsoleView::OfferDownload(const std::string& title, const std::string& text,
                                const std::string& url) {
  ShowMessage(kIconInfo, title, text + " " + url);
}

void ConsoleView::ShowMessage(int icon, const std::string& title, const std::string& text) {
  // One line: the line breaks meant for a message box become spaces.
  std::string line = title + ": " + text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  WriteLine("general", line, icon);
}

}  // namespace server
