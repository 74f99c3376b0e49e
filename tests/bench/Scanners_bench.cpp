// The link window's scanners on long lines: one pass (CutAllLinks) against
// the repeated cuts it replaces, which convert the whole remaining text once
// per token. Lines hold `links` links (URLs and mail addresses in turn)
// separated by Japanese text, about 105 bytes per link, so 10,000 links
// make a 1 MiB line.
#include <benchmark/benchmark.h>

#include <string>

#include "toolbox/TextScanners.h"

namespace {

std::string MakeLine(int links) {
  const std::string filler = "、ご確認ください。よろしくお願いします。以上です。";
  std::string line;
  for (int i = 0; i < links; ++i) {
    std::string link = i % 2 == 0 ? "http://example.com/path/" + std::to_string(i) + "?q=1"
                                   : "user" + std::to_string(i) + "@example.jp";
    std::string piece = link + " " + filler;
    piece.resize(105, ' ');
    line += piece;
  }
  return line;
}

void BM_CutAllLinks(benchmark::State& state) {
  const std::string line = MakeLine(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    LinkTokens tokens = CutAllLinks(line);
    benchmark::DoNotOptimize(tokens);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
  state.counters["line_bytes"] = static_cast<double>(line.size());
}
BENCHMARK(BM_CutAllLinks)->Arg(625)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RepeatedCuts(benchmark::State& state) {
  const std::string line = MakeLine(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string text = line;
    std::string token;
    int found = 0;
    for (CutUrl(text, token); !token.empty(); CutUrl(text, token)) ++found;
    for (CutMailAddress(text, token); !token.empty(); CutMailAddress(text, token)) ++found;
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
  state.counters["line_bytes"] = static_cast<double>(line.size());
}
// Quadratic: 10,000 links (1 MiB) would take minutes; the smaller sizes show
// the growth.
BENCHMARK(BM_RepeatedCuts)->Arg(156)->Arg(625)->Arg(2500)->Unit(benchmark::kMillisecond);

}  // namespace
