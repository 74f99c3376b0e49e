// The settings file: ini text in the ANSI code page, held in memory and
// written back whole. Portable: the file itself is reached through an
// IniFileStore (the Win32 one is in IniFile_win.h).
//
// The text format, as read:
//   - a line ends at LF; a CR right before the LF belongs to the line end;
//   - empty lines and lines beginning with ";" are dropped;
//   - a line beginning with "[" and ending with "]" starts the section named
//     by the text between them; a header repeating an earlier section's name
//     continues that section;
//   - any other line belongs to the current section (lines before the first
//     header are dropped). When it holds an "=", it is a key line: the key is
//     the text before the first "=", the value the text after it. A line
//     without "=" is no key; it is kept as it is and written back.
// Section and key names are compared ignoring the case of ASCII letters, and
// only of letters that are characters of their own (in the ANSI code page,
// CodePage.h): the trail byte of a double-byte character is never folded ("ア" 0x83 0x41 is not "ヂ" 0x83 0x61).
// Nothing is trimmed: "folder = x" is the key "folder " with the value " x".
//
// As written: for each section in order its header, its lines in order and an
// empty line, every line ending in CR LF.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"

// WriteString was given a name or value that the text format cannot carry:
// the written line would read back differently (a line break anywhere, an "="
// or a leading ";" in a key, a key line shaped like a section header).
class IniNameError : public Error {
 public:
  IniNameError();
};

// The contents of a settings file in memory.
class TIniContents {
 public:
  // Replaces the contents with those read from the file text `bytes`.
  void SetText(std::string_view bytes);
  // The whole file text.
  std::string Text() const;

  // The value of the first key line named `key` in `section`, or
  // `defaultValue` when there is none.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Sets the value of the first key line named `key` in `section`, keeping
  // the line's place and its spelling of the key; a new key goes to the end
  // of its section, a new section to the end. Throws IniNameError, changing
  // nothing, when the line could not be read back as written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Section {
    std::string name;
    std::vector<std::string> lines;  // key lines and lines without "="
  };

  bool SameName(std::string_view a, std::string_view b) const;
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
};

// The outcome of reading or writing the settings file.
struct IniFileResult {
  bool ok = true;
  bool reading = false;     // the failure was in reading the file
  std::string path;         // the settings file
  std::string failedCall;   // the system call that failed, for diagnostics
  std::uint32_t error = 0;  // its error code
};

// The file beneath a TQuoIniFile.
class IniFileStore {
 public:
  virtual ~IniFileStore() = default;
  // The whole file into `bytes`. A missing file is not a failure: it reads
  // as empty.
  virtual IniFileResult Read(const std::string& path, std::string& bytes) = 0;
  // Replaces the whole file with `bytes`, creating it when missing. On
  // failure the file is left as it was.
  virtual IniFileResult Write(const std::string& path, std::string_view bytes) = 0;
};

// A settings file: construction reads the whole file into memory, Save
// writes the whole contents back. Neither throws for the file.
class TQuoIniFile : public TIniContents {
 public:
  TQuoIniFile(std::string fileName, IniFileStore& store);

  const std::string& FileName() const { return fileName_; }
  // How reading went; on failure the contents are empty and `reading` is
  // set.
  const IniFileResult& ReadResult() const { return readResult_; }

  // Writes the complete contents to the file, changed or not. When the file
  // could not be read, refuses and returns the read's failure: a file whose
  // contents are unknown is not replaced.
  IniFileResult Save();

 private:
  std::string fileName_;
  IniFileStore& store_;
  IniFileResult readResult_;
};
