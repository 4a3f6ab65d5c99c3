// SPDX-License-Identifier: MIT
#pragma once

// The project's web addresses, kept in one place so that a fork or a new host changes them once.
namespace scrawlbox {
inline constexpr char kWebsiteUrl[] = "https://scrawlbox.example.org/";
inline constexpr char kHelpUrl[] = "https://scrawlbox.example.org/help/";
inline constexpr char kDownloadUrl[] = "https://scrawlbox.example.org/download/";
}  // namespace scrawlbox
