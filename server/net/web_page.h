// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "common/http/request_head.h"

namespace server {

// The answer to a browser's request for the room's page or one of its files, which are compiled
// into the program: GET and HEAD only, no path outside the page's folder, nothing but the
// room's own files and connections allowed to the page.
std::string WebPageAnswer(const http::RequestHead& head);
// The same for any path: the page itself (a room's link, /r/CODE, is the page).
std::string WebPageFile(const http::RequestHead& head, std::string_view path);

}  // namespace server
