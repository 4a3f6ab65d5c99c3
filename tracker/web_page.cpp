// SPDX-License-Identifier: MIT
#include "tracker/web_page.h"

#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

#include "common/qt/text_codec.h"
#include "directory/languages.h"

namespace tracker {

namespace {

// Drawn here rather than an emoji, which shows as an empty box where no emoji font is installed.
constexpr char kLock[] =
    " <svg class=\"locked\" role=\"img\" aria-label=\"Password needed\" width=\"12\" "
    "height=\"14\" viewBox=\"0 0 12 14\"><title>Password needed</title>"
    "<path d=\"M3 6.5V4a3 3 0 0 1 6 0v2.5\" fill=\"none\" stroke=\"currentColor\" "
    "stroke-width=\"1.6\"/><rect x=\"1\" y=\"6\" width=\"10\" height=\"8\" rx=\"1.5\" "
    "fill=\"currentColor\"/></svg>";

// The look of every page here: one sheet, inline, so that a page needs nothing else.
constexpr char kStyle[] =
    "<style>"
    "body{font-family:sans-serif;margin:1em;background:#fffdf0;color:#222}"
    "h1{font-size:1.4em;color:#28285a}"
    "form{margin:.5em 0 1em}input,select{font-size:1em;padding:.2em}"
    "form label{display:inline-block;margin:0 .6em .4em 0}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{text-align:left;padding:.4em .5em;border-bottom:1px solid #ddd;vertical-align:top}"
    "th{background:#f0ece0}nav{margin:1em 0}nav a{margin-right:1em}"
    ".locked{color:#7a4e00;vertical-align:-1px;margin-left:.2em}"
    ".menu{font-weight:bold;white-space:nowrap}.play{display:block;margin-top:.2em}"
    ".create{display:inline-block;padding:.4em .8em;background:#28285a;color:#fff;"
    "border-radius:.3em;text-decoration:none;font-weight:bold}"
    "@media (max-width:600px){thead{display:none}tr{display:block;margin-bottom:.8em;"
    "border:1px solid #ddd}td{display:block;border:none;padding:.2em .5em}"
    "td::before{content:attr(data-label) \": \";font-weight:bold}}"
    "</style>";

QString Cell(const std::string& text) {
  return scrawlbox::Printable(text).toHtmlEscaped();
}

QString LanguageName(const std::string& code) {
  return QString::fromUtf8(directory::LanguageName(code)).toHtmlEscaped();
}

// The address of another page with the same search and language.
QString PageLink(int page, const PageRequest& request) {
  QUrlQuery query;
  if (!request.search.isEmpty()) query.addQueryItem(QStringLiteral("q"), request.search);
  if (!request.language.isEmpty()) query.addQueryItem(QStringLiteral("lang"), request.language);
  query.addQueryItem(QStringLiteral("page"), QString::number(page));
  return (QStringLiteral("/?") + query.toString(QUrl::FullyEncoded)).toHtmlEscaped();
}

// "Any language", then each language the listed rooms have, and the chosen one even when no room
// has it any more, so that the form shows what the list is filtered by.
QString LanguageOptions(std::vector<std::string> languages, const QString& chosen) {
  const std::string chosen_code = chosen.toStdString();
  if (!chosen_code.empty() &&
      std::find(languages.begin(), languages.end(), chosen_code) == languages.end()) {
    languages.push_back(chosen_code);
  }
  QString options = QStringLiteral("<option value=\"\">Any language</option>");
  for (const std::string& code : languages) {
    options +=
        QStringLiteral("<option value=\"%1\"%2 lang=\"%1\">%3</option>")
            .arg(QString::fromStdString(code),
                 code == chosen_code ? QStringLiteral(" selected") : QString(), LanguageName(code));
  }
  return options;
}

}  // namespace

PageRequest ReadPageRequest(const QString& query) {
  const QUrlQuery items(query);
  PageRequest request;
  bool ok = false;
  const int page = items.queryItemValue(QStringLiteral("page")).toInt(&ok);
  if (ok && page > 1) request.page = page;
  // A form sends spaces as "+", which QUrlQuery leaves as they are.
  request.search = items.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded)
                       .replace(QLatin1Char('+'), QLatin1Char(' '))
                       .simplified()
                       .left(kMaxSearchLength);
  const QString language = items.queryItemValue(QStringLiteral("lang"));
  if (directory::IsLanguageCode(language.toStdString())) request.language = language;
  return request;
}

int PageCount(int64_t rooms) {
  return static_cast<int>(std::max<int64_t>(1, (rooms + kRoomsPerPage - 1) / kRoomsPerPage));
}

QByteArray RoomsPage(const RoomStore::Page& listing, const PageRequest& request) {
  const QString search = request.search.toHtmlEscaped();
  const QString language = LanguageName(request.language.toStdString());
  QString html =
      QStringLiteral(
          "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
          "<meta http-equiv=\"refresh\" content=\"%1\">"
          "<title>Scrawlbox rooms</title>%4</head><body><h1>Scrawlbox rooms</h1>"
          "<p id=\"join\">To join a room, open Scrawlbox, choose <span class=\"menu\">File "
          "&rsaquo; "
          "Connect..</span> and pick the room under Public, or type its address and port there.</p>"
          "<p><a id=\"create\" class=\"create\" href=\"/create\">Create a private room</a> "
          "to play with your friends in the browser.</p>"
          "<form method=\"get\" action=\"/\"><label>Room name "
          "<input type=\"search\" name=\"q\" value=\"%2\" maxlength=\"%3\"></label>"
          "<label>Language <select name=\"lang\">%5</select></label>"
          "<button type=\"submit\">Search</button></form>")
          // One call: a search holding "%3" must stay as typed.
          .arg(QString::number(kPageRefreshSeconds), search, QString::number(kMaxSearchLength),
               QLatin1String(kStyle), LanguageOptions(listing.languages, request.language));
  if (listing.rooms.empty()) {
    const QString in =
        request.language.isEmpty() ? QString() : QStringLiteral(" in %1").arg(language);
    if (request.search.isEmpty()) {
      html += request.language.isEmpty()
                  ? QStringLiteral("<p id=\"none\">No rooms are open right now.</p>")
                  : QStringLiteral("<p id=\"none\">No room%1 is open right now.</p>").arg(in);
    } else if (request.language.isEmpty()) {
      html += QStringLiteral("<p id=\"none\">No open room's name holds \u201c%1\u201d.</p>")
                  .arg(search);
    } else {
      html += QStringLiteral("<p id=\"none\">No open room%1 has a name holding \u201c%2\u201d.</p>")
                  .arg(in, search);
    }
  } else {
    html += QStringLiteral(
        "<table id=\"rooms\"><thead><tr><th>Room</th><th>Players</th><th>Language</th>"
        "<th>Description</th><th>Address</th><th>Port</th><th>Version</th></tr></thead><tbody>");
    for (const Room& room : listing.rooms) {
      const QString lock = room.locked ? QString::fromLatin1(kLock) : QString();
      const QString players =
          room.players == kUnknownPlayers ? QString() : QString::number(room.players);
      const QString play =
          room.web.empty() ? QString()
                           : QStringLiteral("<a class=\"play\" href=\"%1\">Play in the browser</a>")
                                 .arg(Cell(room.web));
      // Each name in its own language, marked so for screen readers.
      const QString spoken =
          room.language.empty()
              ? QStringLiteral("<td data-label=\"Language\"></td>")
              : QStringLiteral("<td data-label=\"Language\" lang=\"%1\">%2</td>")
                    .arg(QString::fromStdString(room.language), LanguageName(room.language));
      html += QStringLiteral(
                  "<tr class=\"room\"><td data-label=\"Room\">%1%2%8</td>"
                  "<td data-label=\"Players\">%3</td>%9<td data-label=\"Description\">%4</td>"
                  "<td data-label=\"Address\">%5</td><td data-label=\"Port\">%6</td>"
                  "<td data-label=\"Version\">%7</td></tr>")
                  .arg(Cell(room.name), lock, players, Cell(room.description), Cell(room.address),
                       QString::number(room.port), Cell(room.version), play, spoken);
    }
    html += QStringLiteral("</tbody></table>");
  }
  const int pages = PageCount(listing.total);
  const int page = std::min(request.page, pages);
  if (pages > 1) {
    html += QStringLiteral("<nav>");
    if (page > 1) {
      html += QStringLiteral("<a rel=\"prev\" href=\"%1\">&laquo; Previous</a>")
                  .arg(PageLink(page - 1, request));
    }
    html += QStringLiteral("<span>Page %1 of %2</span>").arg(page).arg(pages);
    if (page < pages) {
      html += QStringLiteral(" <a rel=\"next\" href=\"%1\">Next &raquo;</a>")
                  .arg(PageLink(page + 1, request));
    }
    html += QStringLiteral("</nav>");
  }
  html += QStringLiteral(
              "<p><small>%1 %2. This page refreshes every %3 seconds.</small></p>"
              "</body></html>\n")
              .arg(listing.total)
              .arg(listing.total == 1 ? QStringLiteral("room") : QStringLiteral("rooms"))
              .arg(kPageRefreshSeconds);
  return html.toUtf8();
}

QByteArray NoRoomyHostPage() {
  return QStringLiteral(
             "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
             "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
             "<title>No room to make</title>%1</head><body><h1>Scrawlbox rooms</h1>"
             "<p id=\"none\">No room host has space for a new room right now. Please try again in "
             "a few minutes.</p><p><a href=\"/\">Back to the list of rooms</a></p></body></html>\n")
      .arg(QLatin1String(kStyle))
      .toUtf8();
}

}  // namespace tracker
