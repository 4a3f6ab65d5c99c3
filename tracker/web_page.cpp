// SPDX-License-Identifier: MIT
#include "tracker/web_page.h"

#include <QString>

#include "common/qt/text_codec.h"

namespace tracker {

namespace {

QString Cell(const std::string& text) {
  return scrawlbox::Printable(text).toHtmlEscaped();
}

}  // namespace

QByteArray RoomsPage(const std::vector<Room>& rooms) {
  QString html =
      QStringLiteral(
          "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
          "<meta http-equiv=\"refresh\" content=\"%1\">"
          "<title>Scrawlbox rooms</title><style>"
          "body{font-family:sans-serif;margin:1em;background:#fffdf0;color:#222}"
          "h1{font-size:1.4em;color:#28285a}"
          "table{border-collapse:collapse;width:100%}"
          "th,td{text-align:left;padding:.4em .5em;border-bottom:1px solid #ddd;vertical-align:top}"
          "th{background:#f0ece0}"
          "@media (max-width:600px){thead{display:none}tr{display:block;margin-bottom:.8em;"
          "border:1px solid #ddd}td{display:block;border:none;padding:.2em .5em}"
          "td::before{content:attr(data-label) \": \";font-weight:bold}}"
          "</style></head><body><h1>Scrawlbox rooms</h1>")
          .arg(kPageRefreshSeconds);
  if (rooms.empty()) {
    html += QStringLiteral("<p id=\"none\">No rooms are open right now.</p>");
  } else {
    html += QStringLiteral(
        "<table id=\"rooms\"><thead><tr><th>Room</th><th>Description</th><th>Address</th>"
        "<th>Port</th><th>Version</th></tr></thead><tbody>");
    for (const Room& room : rooms) {
      html += QStringLiteral(
                  "<tr class=\"room\"><td data-label=\"Room\">%1</td>"
                  "<td data-label=\"Description\">%2</td><td data-label=\"Address\">%3</td>"
                  "<td data-label=\"Port\">%4</td><td data-label=\"Version\">%5</td></tr>")
                  .arg(Cell(room.name), Cell(room.description), Cell(room.address))
                  .arg(room.port)
                  .arg(Cell(room.version));
    }
    html += QStringLiteral("</tbody></table>");
  }
  html += QStringLiteral(
              "<p><small>%1 room(s). This page refreshes every %2 seconds.</small></p>"
              "</body></html>\n")
              .arg(rooms.size())
              .arg(kPageRefreshSeconds);
  return html.toUtf8();
}

}  // namespace tracker
