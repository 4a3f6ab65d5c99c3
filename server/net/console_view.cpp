// SPDX-License-Identifier: MIT
#include "server/net/console_view.h"

#include "common/qt/console_line.h"
#include "common/qt/text_codec.h"

namespace server {

void ConsoleView::WriteLine(const char* tag, const std::string& text) {
  scrawlbox::WriteConsoleLine(out_, scrawlbox::ClockStamp() + QStringLiteral(" [") +
                                        QString::fromLatin1(tag) + QStringLiteral("] ") +
                                        scrawlbox::Printable(text));
}

void ConsoleView::WriteAnswer(const std::string& text) {
  scrawlbox::WriteConsoleLine(out_, scrawlbox::Printable(text));
}

void ConsoleView::Log(LogKind kind, const std::string& text, int) {
  switch (kind) {
    case LogKind::kConnections:
      WriteLine("connections", text);
      break;
    case LogKind::kChat:
      WriteLine("chat", text);
      break;
    case LogKind::kGeneral:
      WriteLine("general", text);
      break;
  }
}

void ConsoleView::SetStatusMessage(const std::string& text, int) {
  WriteLine("status", text);
}

void ConsoleView::OfferDownload(const std::string& title, const std::string& text,
                                const std::string& url) {
  ShowMessage(kIconInfo, title, text + " " + url);
}

void ConsoleView::ShowMessage(int, const std::string& title, const std::string& text) {
  // One line: the line breaks meant for a message box become spaces.
  std::string line = title + ": " + text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  WriteLine("general", line);
}

void ConsoleView::QuitFinished() {
  if (on_quit_) on_quit_();
}

}  // namespace server
