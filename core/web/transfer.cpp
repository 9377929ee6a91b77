// Transfer progress: lamp, gauge G1, status line and the busy flag.
#include "web/transfer.h"

#include "game/output.h"

namespace zunk {

void Transfer::ShowLamp(Lamp lamp) {
  if (lamp_ == lamp) return;
  lamp_ = lamp;
  host_.SetLamp(lamp);
}

void Transfer::Start() {
  busy_ = true;
  g1_ = GaugeState{};
  host_.ShowGauge(GaugeId::G1, g1_);
  ShowLamp(Lamp::Started);
}

bool Transfer::Progress(std::uint64_t received, std::uint64_t announced) {
  if (g1_.maximum != announced || g1_.position != received) {
    g1_.maximum = announced;
    g1_.position = received;
    host_.ShowGauge(GaugeId::G1, g1_);
  }
  if (received > 0 && lamp_ != Lamp::Fetching) {
    ShowLamp(Lamp::Fetching);
    output_.SetStatus(kTransferStatus);
    host_.ShowStatus();
  }
  return !stop_requested_;
}

void Transfer::End() {
  busy_ = false;
  g1_.position = 0;
  host_.ShowGauge(GaugeId::G1, g1_);
  output_.SetStatus("");
  host_.ShowStatus();
  ShowLamp(Lamp::Idle);
}

void Transfer::RequestStop() {
  if (running() || busy_) stop_requested_ = true;
}

void Transfer::Enter() {
  if (depth_++ == 0) {
    stop_requested_ = false;
    host_.SetTransferRunning(true);
  }
}

void Transfer::Leave() {
  if (--depth_ == 0) {
    stop_requested_ = false;
    host_.SetTransferRunning(false);
  }
}

}  // namespace zunk
