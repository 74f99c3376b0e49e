// The settings file on disk. Writing never leaves a truncated or empty file
// behind: the new text goes to a temporary file beside the settings file,
// is flushed to disk and then replaces the original in one rename.
#pragma once

#include "components/IniFile.h"

// The temporary file a write goes through: the settings file's path
// followed by ".tmp". A leftover of an interrupted write is overwritten by
// the next one.
std::string IniTemporaryPath(const std::string& path);

// The real file system.
class TWin32IniFileStore : public IniFileStore {
 public:
  IniFileResult Read(const std::string& path, std::string& bytes) override;
  IniFileResult Write(const std::string& path, std::string_view bytes) override;
};

// The store every settings file of the process uses.
IniFileStore& SystemIniFileStore();
