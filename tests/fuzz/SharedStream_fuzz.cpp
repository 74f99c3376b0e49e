// Random sequences of reads, writes and seeks on a 12-byte block: the stream
// must never touch memory outside it, and a write must be all or nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "hostaccess/SharedStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t block[12] = {};
  TBoundedMemoryStream stream(block, sizeof block, "SorvikCom");
  std::uint8_t buffer[64];
  std::memset(buffer, 0x5A, sizeof buffer);
  for (std::size_t i = 0; i + 3 <= size; i += 3) {
    const int op = data[i] % 3;
    const auto value = static_cast<std::int8_t>(data[i + 1]);
    const int count = static_cast<std::int8_t>(data[i + 2]) % 64;
    if (op == 0) {
      const std::int64_t before = stream.Position();
      const std::int32_t got = stream.Read(buffer, count);
      if (got < 0 || (got > 0 && (got > count || stream.Position() != before + got))) std::abort();
    } else if (op == 1) {
      std::uint8_t copy[12];
      std::memcpy(copy, block, sizeof block);
      const std::int64_t before = stream.Position();
      try {
        const std::int32_t wrote = stream.Write(buffer, count);
        if (wrote != 0 && (wrote != count || stream.Position() != before + count)) std::abort();
      } catch (const SharedMemoryBoundsError&) {
        if (std::memcmp(copy, block, sizeof block) != 0 || stream.Position() != before) std::abort();
      }
    } else {
      stream.Seek(value, data[i + 2] % 4);
    }
  }
  return 0;
}
