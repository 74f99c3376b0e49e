// A stand-in for the Remote Access Service library, for the end-to-end
// tests only (Wine has no dial-up connections). Put beside the agent and
// chosen with WINEDLLOVERRIDES=rasapi32=n,b, it reports as many active
// connections as the file "fake-ras-connections.txt" beside it says (0 when
// missing), with handles 0x5001, 0x5002, ..., and appends one line
// "RasHangUpA <handle>" per hang-up to "fake-ras-hangups.log" beside it.
// A hung-up connection is gone: the count file is lowered by one.
//
// It accepts only the record's first form, which every Windows version
// accepts (412 bytes on i686; later systems also take the larger forms of
// today's headers, older ones refuse them): any other dwSize is
// ERROR_INVALID_SIZE, so an agent that passes another form sees no
// connection.
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HMODULE Self = nullptr;

// The first form is the system's record up to the device name: everything
// before the phone book field, padded to the record's 4-byte packing. Taken
// from the system's header, independently of the agent's own definition.
constexpr DWORD kFirstFormSize = (offsetof(RASCONNA, szPhonebook) + 3) & ~DWORD{3};
#if defined(__i386__)
static_assert(kFirstFormSize == 412);
#endif

std::string Beside(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(Self, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

int ReadCount() {
  FILE* in = std::fopen(Beside("fake-ras-connections.txt").c_str(), "rb");
  if (in == nullptr) return 0;
  int count = 0;
  if (std::fscanf(in, "%d", &count) != 1) count = 0;
  std::fclose(in);
  return count;
}

void WriteCount(int count) {
  if (FILE* out = std::fopen(Beside("fake-ras-connections.txt").c_str(), "wb")) {
    std::fprintf(out, "%d", count);
    std::fclose(out);
  }
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI RasEnumConnectionsA(LPRASCONNA connections,
                                                                 LPDWORD bytes, LPDWORD count) {
  if (connections == nullptr || bytes == nullptr || count == nullptr) return ERROR_INVALID_PARAMETER;
  const DWORD record = connections[0].dwSize;
  if (record != kFirstFormSize) return ERROR_INVALID_SIZE;
  const int active = ReadCount();
  if (static_cast<DWORD>(active) * record > *bytes) {
    *bytes = active * record;
    return ERROR_BUFFER_TOO_SMALL;
  }
  auto* base = reinterpret_cast<BYTE*>(connections);
  for (int i = 0; i < active; ++i) {
    auto* entry = reinterpret_cast<RASCONNA*>(base + i * record);
    ZeroMemory(entry, record);
    entry->dwSize = record;
    entry->hrasconn = reinterpret_cast<HRASCONN>(static_cast<INT_PTR>(0x5001 + i));
  }
  *count = active;
  *bytes = active * record;
  return 0;
}

extern "C" __declspec(dllexport) DWORD WINAPI RasHangUpA(HRASCONN connection) {
  if (FILE* log = std::fopen(Beside("fake-ras-hangups.log").c_str(), "ab")) {
    std::fprintf(log, "RasHangUpA %lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(connection)));
    std::fclose(log);
  }
  const int active = ReadCount();
  if (active > 0) WriteCount(active - 1);
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Self = instance;
  return TRUE;
}
