// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include "tracker/room_store.h"

namespace tracker {

inline constexpr int kPageRefreshSeconds = 30;
inline constexpr size_t kRoomsPerPage = 100;
// A longer name search is cut: no room name is longer than 20 characters.
inline constexpr int kMaxSearchLength = 40;

// Which page of rooms a visitor asked for, read from the page's own query ("page", "q",
// "lang"); a language that is no code is no filter.
struct PageRequest {
  int page = 1;  // from 1
  QString search;
  QString language{};  // empty: any language
};
PageRequest ReadPageRequest(const QString& query);

// The number of pages for that many rooms; an empty list still has its one page.
int PageCount(int64_t rooms);

// The page of live rooms: plain HTML that refreshes itself, readable on a phone, with a name
// search, a choice of the listed rooms' languages and links to the other pages, and no script.
// listing holds the shown page's rooms.
QByteArray RoomsPage(const RoomStore::Page& listing, const PageRequest& request);

// What /create shows when no host of many rooms can make a room now, with the way back.
QByteArray NoRoomyHostPage();

}  // namespace tracker
