// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The fuzz targets' bodies. Each is a plain function, so that the libFuzzer programs and the
// unit tests that replay the kept inputs run exactly the same code. Each returns 0.
namespace fuzz {

// The room server's core on fake ports, driven by a script of connections, messages, clock
// steps, failing sends, slow readers, closes and operator actions.
int FuzzServerCore(const uint8_t* data, size_t size);
// The client's session: server bytes and the player's actions.
int FuzzClientSession(const uint8_t* data, size_t size);
// The pad replaying relayed drawing messages, with some of the artist's own tool use.
int FuzzDrawingReplay(const uint8_t* data, size_t size);
// INI text read and edited through IniDocument and MemoryStore.
int FuzzIni(const uint8_t* data, size_t size);
// Word-list files scanned from a folder, and words picked from them.
int FuzzWordLists(const uint8_t* data, size_t size);
// Ban patterns matched against addresses, and a fuzzed ban section loaded and edited.
int FuzzBanPatterns(const uint8_t* data, size_t size);
// The tracker's answers to ADD, REMOVE and VIEW queries.
int FuzzTrackerRequests(const uint8_t* data, size_t size);
// HTTP request heads as the tracker and the room's metrics endpoint read them, and who may hold
// one of their connections.
int FuzzHttpHeads(const uint8_t* data, size_t size);

struct Target {
  std::string_view name;  // the folder name under tests/fuzz/corpus and tests/fuzz/regressions
  int (*body)(const uint8_t* data, size_t size);
};

inline constexpr std::array<Target, 8> kTargets = {{
    {"server_core", FuzzServerCore},
    {"client_session", FuzzClientSession},
    {"drawing_replay", FuzzDrawingReplay},
    {"ini", FuzzIni},
    {"word_lists", FuzzWordLists},
    {"ban_patterns", FuzzBanPatterns},
    {"tracker_requests", FuzzTrackerRequests},
    {"http_heads", FuzzHttpHeads},
}};

}  // namespace fuzz
