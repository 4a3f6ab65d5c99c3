// SPDX-License-Identifier: MIT
// How fast a receiving client replays drawing codes on its pad.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "client/pad/pad_tools.h"
#include "protocol/framing.h"
#include "tests/support/client_fakes.h"
#include "tests/support/pad_view.h"

namespace {

using client::PadTools;
using protocol::DrawCode;

struct NoSendSink : protocol::DrawSink {
  void SendDrawCommand(std::string_view, std::string_view) override {}
} no_send;

// Relayed freehand segments of a wavy stroke across the pad, as a viewer replays them.
void BM_ReplayFreehand(benchmark::State& state) {
  testing_support::ManualClock clock;
  PadTools viewer(&no_send, clock);
  viewer.Replay({DrawCode::DW, {1, static_cast<double>(state.range(0))}});
  int i = 0;
  for (auto _ : state) {
    const double x = 5 + (i % 100) * 5;
    const double y = 20 + (i % 37) * 7;
    viewer.Replay({DrawCode::FH, {x, y, x + 5, y + 3}});
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplayFreehand)->Arg(2)->Arg(8);

// The whole way of a segment through a client: bytes from the socket, cutting, dispatch, replay.
void BM_ReceiveFreehand(benchmark::State& state) {
  testing_support::MemoryIni ini;
  testing_support::ManualClock clock;
  testing_support::FakeConnection connection;
  testing_support::PadView view;
  client::ClientSettings settings(ini);
  client::Session session({connection, view, clock, settings});
  connection.state = client::SocketState::kConnected;
  std::string batch;
  for (int i = 0; i < 100; ++i) {
    char data[64];
    std::snprintf(data, sizeof data,
                  "100000\x03%d\x03"
                  "100\x03%d\x03"
                  "103",
                  5 + i * 5, 10 + i * 5);
    batch += protocol::Frame("FH", data);
  }
  for (auto _ : state) session.OnData(batch);
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_ReceiveFreehand);

void BM_ReplaySpray(benchmark::State& state) {
  testing_support::ManualClock clock;
  PadTools viewer(&no_send, clock);
  int i = 0;
  for (auto _ : state) {
    viewer.Replay({DrawCode::SP, {static_cast<double>(20 + (i % 400)), 150}});
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplaySpray);

// A flood fill of the whole empty pad, alternating two colours so that every fill has work.
void BM_FloodFillWholePad(benchmark::State& state) {
  testing_support::ManualClock clock;
  PadTools viewer(&no_send, clock);
  int i = 0;
  for (auto _ : state) {
    viewer.Replay({DrawCode::PA, {static_cast<double>(i++ % 2 ? 12 : 21)}});
    viewer.Replay({DrawCode::FL, {250, 160}});
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FloodFillWholePad)->Unit(benchmark::kMillisecond);

}  // namespace
