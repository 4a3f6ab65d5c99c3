// SPDX-License-Identifier: MIT
#pragma once

// The project's web addresses, kept in one place so that a fork or a new host changes them once.
namespace scrawlbox {
inline constexpr char kWebsiteUrl[] = "https://scrawlbox.example.org/";
inline constexpr char kHelpUrl[] = "https://scrawlbox.example.org/help/";
inline constexpr char kDownloadUrl[] = "https://scrawlbox.example.org/download/";
inline constexpr char kForumUrl[] = "https://scrawlbox.example.org/forum/";
inline constexpr char kTellAFriendUrl[] = "https://scrawlbox.example.org/tell-a-friend/";
// The comment page learns which version the player runs (major.minor.revision, 4 digits).
inline constexpr char kLeaveACommentUrl[] = "https://scrawlbox.example.org/comment/?ver=";
}  // namespace scrawlbox
