// CMap lookups beside std::unordered_map: 5,000 command ids, every one looked up per pass.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <framework.h>

#include <unordered_map>
#include <vector>

namespace {

const int kIds = 5000;

// Ids as the command tables make them: runs of neighbours with gaps.
std::vector<UINT> Ids() {
  std::vector<UINT> ids;
  for (int i = 0; i < kIds; ++i) ids.push_back(32768u + static_cast<UINT>(i / 50) * 1000u + static_cast<UINT>(i % 50));
  return ids;
}

void BM_CMapLookup(benchmark::State& state) {
  std::vector<UINT> ids = Ids();
  CMap<UINT, UINT, void*, void*> map;
  map.InitHashTable(17);  // the usual small hint: the table must grow by itself
  for (UINT id : ids) map[id] = reinterpret_cast<void*>(static_cast<UINT_PTR>(id));
  for (auto _ : state) {
    UINT_PTR sum = 0;
    for (UINT id : ids) {
      void* v = NULL;
      map.Lookup(id, v);
      sum += reinterpret_cast<UINT_PTR>(v);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kIds);
}
BENCHMARK(BM_CMapLookup);

void BM_UnorderedMapLookup(benchmark::State& state) {
  std::vector<UINT> ids = Ids();
  std::unordered_map<UINT, void*> map;
  for (UINT id : ids) map[id] = reinterpret_cast<void*>(static_cast<UINT_PTR>(id));
  for (auto _ : state) {
    UINT_PTR sum = 0;
    for (UINT id : ids) {
      auto it = map.find(id);
      sum += it == map.end() ? 0 : reinterpret_cast<UINT_PTR>(it->second);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kIds);
}
BENCHMARK(BM_UnorderedMapLookup);

void BM_CMapStringLookup(benchmark::State& state) {
  std::vector<CString> keys;
  for (int i = 0; i < kIds; ++i) {
    CString k;
    k.Format(_T("ID_COMMAND_%d"), i);
    keys.push_back(k);
  }
  CMapStringToPtr map;
  for (const CString& k : keys) map[k] = &map;
  for (auto _ : state) {
    int found = 0;
    for (const CString& k : keys) {
      void* v;
      found += map.Lookup(k, v);
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kIds);
}
BENCHMARK(BM_CMapStringLookup);

void BM_UnorderedMapStringLookup(benchmark::State& state) {
  std::vector<std::basic_string<TCHAR>> keys;
  for (int i = 0; i < kIds; ++i) {
    CString k;
    k.Format(_T("ID_COMMAND_%d"), i);
    keys.push_back(k.GetString());
  }
  std::unordered_map<std::basic_string<TCHAR>, void*> map;
  for (auto& k : keys) map[k] = &map;
  for (auto _ : state) {
    int found = 0;
    for (auto& k : keys) found += map.count(k) ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kIds);
}
BENCHMARK(BM_UnorderedMapStringLookup);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("5,000 id lookups: CMap / unordered_map", "BM_CMapLookup", "BM_UnorderedMapLookup");
    reporter.Print("5,000 text lookups: CMap / unordered_map", "BM_CMapStringLookup", "BM_UnorderedMapStringLookup");
  });
}
