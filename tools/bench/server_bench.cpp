// SPDX-License-Identifier: MIT
// How fast the room server's core handles traffic, and what a settings write costs.
#include <benchmark/benchmark.h>

#include "inifile/ini_file.h"
#include "protocol/framing.h"
#include "protocol/receive_buffer.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"

namespace {

// One freehand segment from the artist, relayed to every other player of a room.
void BM_RelayFreehand(benchmark::State& state) {
  // Many players from one machine, drawing without end: the limits for peers are off.
  testing_support::ServerHarness h(
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

}  // namespace
