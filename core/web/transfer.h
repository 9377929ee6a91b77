// The game window's HTTP transfers as game state: the download-busy flag, the gauge G1, the
// lamp and the status line while a transfer runs, and the stop that btStp asks for. A
// transfer's start, progress and end events update them and show them at once.
#pragma once

#include <cstdint>

#include "platform/host.h"

namespace zunk {

class Output;

inline constexpr const char* kTransferStatus = "Baixando...";

class Transfer {
 public:
  Transfer(Host& host, Output& output) : host_(host), output_(output) {}

  // Start: G1 maximum the announced size (0 while unknown), progress 0, lamp green, busy.
  void Start();
  // Bytes arrive: G1 follows them, lamp red, Stk "Baixando...". False when a stop was asked.
  bool Progress(std::uint64_t received, std::uint64_t announced);
  // End: progress 0, Stk cleared, lamp maroon, not busy.
  void End();

  // btStp: breaks off the running transfer and whatever operation runs it (an update run).
  void RequestStop();
  bool stop_requested() const { return stop_requested_; }

  // Operations that transfer (a fetch, an update run, a version check) enter and leave;
  // they nest. While one runs the host holds the player's input back; a stop asked for is
  // forgotten when the outermost one leaves.
  void Enter();
  void Leave();
  bool running() const { return depth_ > 0; }

  // Shows the lamp in a colour unless it shows it already (FetchFile's aqua and maroon).
  void ShowLamp(Lamp lamp);

  bool busy() const { return busy_; }
  Lamp lamp() const { return lamp_; }
  const GaugeState& g1() const { return g1_; }

 private:
  Host& host_;
  Output& output_;
  bool busy_ = false;
  bool stop_requested_ = false;
  int depth_ = 0;
  Lamp lamp_ = Lamp::Idle;
  GaugeState g1_;
};

// Enters an operation for the scope's life.
class TransferScope {
 public:
  explicit TransferScope(Transfer& transfer) : transfer_(transfer) { transfer_.Enter(); }
  ~TransferScope() { transfer_.Leave(); }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;

 private:
  Transfer& transfer_;
};

}  // namespace zunk
