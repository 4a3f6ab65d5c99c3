// SPDX-License-Identifier: MIT
// How fast the room server's core handles traffic, what a settings write costs, and what a
// banned peer costs.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "common/qt/qt_ini_file.h"
#include "inifile/ini_document.h"
#include "inifile/ini_file.h"
#include "protocol/framing.h"
#include "protocol/receive_buffer.h"
#include "server/admin/banned.h"
#include "tests/support/game_harness.h"
#include "tests/support/manual_clock.h"
#include "tests/support/temp_dir.h"

namespace {

// One freehand segment from the artist, relayed to every other player of a room.
void BM_RelayFreehand(benchmark::State& state) {
  // The whole room, many players from one machine drawing without end: the limits for peers
  // are off.
  testing_support::RoomHarness h(
      "[Server Details]\nMax Connections Per Address=0\nDrawing Burst=0\nLogin Timeout=0\n");
  const int players = static_cast<int>(state.range(0));
  int artist = 0;
  for (int i = 0; i < players; ++i) artist = h.Join(std::string(1, static_cast<char>('a' + i)));
  const std::string segment = protocol::Frame("FH",
                                              "120\x03"
                                              "45\x03"
                                              "121\x03"
                                              "47");
  std::string batch;
  for (int i = 0; i < 100; ++i) batch += segment;
  for (auto _ : state) {
    h.SendRaw(artist, batch);
    state.PauseTiming();
    h.TakeAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_RelayFreehand)->Arg(2)->Arg(8)->Arg(32);

// Cutting a stream of messages that arrives in 4 KiB reads.
void BM_ReceiveBuffer(benchmark::State& state) {
  std::string wire;
  while (wire.size() < (1 << 20))
    wire += protocol::Frame("FH",
                            "120\x03"
                            "45\x03"
                            "121\x03"
                            "47");
  size_t messages = 0;
  for (auto _ : state) {
    protocol::ReceiveBuffer buffer;
    std::string message;
    for (size_t at = 0; at < wire.size(); at += 4096) {
      buffer.Append(std::string_view(wire).substr(at, 4096));
      while (buffer.Next(&message) == protocol::ReceiveBuffer::Status::kMessage) ++messages;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * wire.size()));
  benchmark::DoNotOptimize(messages);
}
BENCHMARK(BM_ReceiveBuffer);

// One statistics increment: read Server.ini, change a key, replace the file durably.
void BM_StatisticsIncrement(benchmark::State& state) {
  testing_support::TempDir dir;
  inifile::IniFile ini(dir / "Server.ini");
  for (int i = 0; i < 16; ++i) ini.INIWrite("Server Statistics", "Key " + std::to_string(i), "1");
  int value = 0;
  for (auto _ : state)
    ini.INIWrite("Server Statistics", "Total Sentences Typed", std::to_string(++value));
}
BENCHMARK(BM_StatisticsIncrement)->Unit(benchmark::kMicrosecond);

// A Server.ini whose ban list holds `bans` entries; the last one bans 127.0.0.1.
std::string BanListText(int64_t bans) {
  std::string text = "[Banned IPs]\nTotal=" + std::to_string(bans) + "\n";
  for (int64_t i = 1; i <= bans; ++i) {
    const std::string ip = i == bans
                               ? "127.0.0.1"
                               : "10." + std::to_string(i / 65536) + "." +
                                     std::to_string(i / 256 % 256) + "." + std::to_string(i % 256);
    text += "Banned IP[" + std::to_string(i) + "]=IP=" + ip + "\xACREASON=r\xAC" +
            "CONNECTIONATTEMPTS=0\n";
  }
  return text;
}

// What a banned peer's connection attempt costs the room: the list walked up to its entry.
void BM_BannedAttempt(benchmark::State& state) {
  inifile::MemoryStore ini(BanListText(state.range(0)));
  testing_support::ManualClock clock;
  server::BanList bans(ini, clock);
  bans.LoadBanList();
  for (auto _ : state) benchmark::DoNotOptimize(bans.IsBanned("127.0.0.1"));
}
BENCHMARK(BM_BannedAttempt)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The once-a-second write of the counted attempts, as the room's thread pays for it: the list
// and Server.ini's text made anew; the wait for the disk is the writer thread's.
void BM_BanAttemptsWrite(benchmark::State& state) {
  int argc = 1;
  char name[] = "server_bench";
  char* argv[] = {name};
  QCoreApplication app(argc, argv);  // the writes' outcomes come through its events
  testing_support::TempDir dir;
  scrawlbox::QtIniFile ini(dir / "Server.ini");
  ini.Edit([&state](inifile::IniDocument& document) {
    document = inifile::IniDocument(BanListText(state.range(0)));
    return true;
  });
  testing_support::ManualClock clock;
  server::BanList bans(ini, clock);
  bans.LoadBanList();
  for (auto _ : state) {
    bans.IsBanned("127.0.0.1");
    clock.Advance(server::BanList::kAttemptsWriteMs);
    state.PauseTiming();
    ini.Flush();
    QCoreApplication::sendPostedEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BanAttemptsWrite)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
