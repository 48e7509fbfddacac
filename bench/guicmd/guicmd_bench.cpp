// Command-status queries of the portable command centre (the rights check, then the handler
// chain) for 200 commands, beside the same work over a plain std::unordered_map.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>

#include <unordered_map>

namespace {

const unsigned short kFirst = 1000, kCount = 200;

unsigned long AllowAll(unsigned long, bool) { return 1; }

// A view below a frame: the view passes status questions to the frame, which enables
// every command.
struct Frame : QvCommandHandler {
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    status.Enable(true);
    return true;
  }
};
struct View : QvCommandHandler {
  explicit View(QvCommandHandler* parent) : QvCommandHandler(parent) {}
};

void BM_PortableCommandStatus(benchmark::State& state) {
  if (GUIInitialisations(&AllowAll).Failed() || !GUIIsValidCommandID(kFirst + kCount - 1)) {
    state.SkipWithError("the command tables were not loaded");
    GUIRelease();
    return;
  }
  Frame frame;
  View view(&frame);
  QvCommandHandler::SetActiveTarget(&view);
  long enabled = 0;
  for (auto _ : state) {
    for (unsigned short id = kFirst; id < kFirst + kCount; ++id) {
      QvCommandStatus status(id);
      enabled += QvCommandHandler::GetCommandStatus(status) && status.IsEnabled();
    }
  }
  benchmark::DoNotOptimize(enabled);
  state.SetItemsProcessed(state.iterations() * kCount);
  QvCommandHandler::SetActiveTarget(nullptr);
  GUIRelease();
}
BENCHMARK(BM_PortableCommandStatus);

// The same questions over a hash map of plain records: look the command up, ask the rights
// callback twice, let the handler chain answer.
struct Record {
  unsigned long securityId;
};
struct Status {
  unsigned short id;
  bool enabled;
};
struct PlainHandler {
  virtual ~PlainHandler() = default;
  virtual bool Update(Status& s) {
    s.enabled = true;
    return true;
  }
};
struct PlainView : PlainHandler {
  explicit PlainView(PlainHandler* p) : parent(p) {}
  bool Update(Status& s) override { return parent->Update(s); }
  PlainHandler* parent;
};

void BM_UnorderedMapCommandStatus(benchmark::State& state) {
  std::unordered_map<unsigned short, Record> commands;
  for (unsigned short id = kFirst; id < kFirst + kCount; ++id) commands[id] = Record{5000u + (id - kFirst) / 50u};
  unsigned long (*volatile callback)(unsigned long, bool) = &AllowAll;
  PlainHandler frame;
  PlainView view(&frame);
  PlainHandler* volatile target = &view;
  long enabled = 0;
  for (auto _ : state) {
    for (unsigned short id = kFirst; id < kFirst + kCount; ++id) {
      auto it = commands.find(id);
      if (it == commands.end()) continue;
      unsigned long rights = callback(it->second.securityId, false) & 0xFFFF;
      if (rights == 1) rights = callback(id | 0x40000000UL, false) & 0xFFFF;
      Status s{id, false};
      enabled += rights == 1 && target->Update(s) && s.enabled;
    }
  }
  benchmark::DoNotOptimize(enabled);
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_UnorderedMapCommandStatus);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("200 command states: portable centre / unordered_map and plain handlers", "BM_PortableCommandStatus",
                   "BM_UnorderedMapCommandStatus");
  });
}
