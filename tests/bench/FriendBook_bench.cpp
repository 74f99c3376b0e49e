// Loading a friend book of 10,000 friends, as the dialog does at every
// show: the file's bytes read into records and the records into the
// dialog's list. Names and addresses of typical lengths, Japanese names.
#include <benchmark/benchmark.h>

#include <string>

#include "agent/FriendBook.h"

namespace {

std::string MakeFriendBook(int friends) {
  std::string bytes;
  for (int i = 0; i < friends; ++i) {
    const std::string pet = "ポチ" + std::to_string(i);
    const std::string owner = "山田太郎" + std::to_string(i);
    const std::string mail = "friend" + std::to_string(i) + "@example.ne.jp";
    bytes += std::string("\x01\x00\x00\x00", 4);
    for (const std::string* text : {&pet, &owner, &mail}) {
      bytes += static_cast<char>(text->size());
      bytes += *text;
    }
    bytes += std::string("\x00\x00\x00\x00", 4);
  }
  return bytes;
}

void BM_LoadFriendBook(benchmark::State& state) {
  const std::string file = MakeFriendBook(static_cast<int>(state.range(0)));
  TOtomodatiRecList list;
  for (auto _ : state) {
    list.Clear();
    for (const TOtomodatiRec& rec : ReadFriendBook(file)) list.AddRec(rec);
    benchmark::DoNotOptimize(list);
  }
  state.counters["file_bytes"] = static_cast<double>(file.size());
  state.counters["friends"] = static_cast<double>(list.Count());
}
BENCHMARK(BM_LoadFriendBook)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
