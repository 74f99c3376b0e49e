#include "components/IniFile_win.h"

#include <windows.h>

#include <algorithm>

#include "base/Handles_win.h"


std::string IniTemporaryPath(const std::string& path) { return path + ".tmp"; }

namespace {

IniFileResult Failure(const char* call, DWORD error) {
  IniFileResult result;
  result.ok = false;
  result.failedCall = call;
  result.error = error;
  return result;
}

// Writes all of `bytes` to a new file at `path` and flushes it to disk. On
// failure the file is removed again, unless it could not be created (then
// whatever stands at `path` is not ours).
IniFileResult WriteNewFile(const std::string& path, std::string_view bytes) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return Failure("CreateFileA", GetLastError());

  IniFileResult result;
  std::size_t done = 0;
  while (result.ok && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) {
      result = Failure("WriteFile", GetLastError());
    } else if (written == 0) {
      result = Failure("WriteFile", ERROR_DISK_FULL);
    }
    done += written;
  }
  if (result.ok && !FlushFileBuffers(file.get())) result = Failure("FlushFileBuffers", GetLastError());
  file.reset();
  if (!result.ok) DeleteFileA(path.c_str());
  return result;
}

}  // namespace

IniFileResult TWin32IniFileStore::Read(const std::string& path, std::string& bytes) {
  bytes.clear();
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // No file yet (or no folder): empty contents. The write will tell
    // whether one can be made.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    return Failure("CreateFileA", error);
  }
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      const DWORD error = GetLastError();
      bytes.clear();
      return Failure("ReadFile", error);
    }
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  return {};
}

IniFileResult TWin32IniFileStore::Write(const std::string& path, std::string_view bytes) {
  // A read-only settings file is the user's "leave it as it is". Windows
  // refuses to replace one; other file systems (Wine's among them) would
  // rename over it, so the refusal is made here for every one, before
  // anything is written.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return Failure("MoveFileExA", ERROR_ACCESS_DENIED);
  }
  const std::string temporary = IniTemporaryPath(path);
  IniFileResult result = WriteNewFile(temporary, bytes);
  if (!result.ok) return result;
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    result = Failure("MoveFileExA", GetLastError());
    DeleteFileA(temporary.c_str());
  }
  return result;
}

IniFileStore& SystemIniFileStore() {
  static TWin32IniFileStore store;
  return store;
}
