// What the shell was asked to open, seen from the test prefix: the "open"
// commands of the http and https protocols, of documents of type .doc and of
// folders are pointed at the shell recorder, which writes one line per
// request into a file of the current test's scratch folder.
#pragma once

#include <string>
#include <vector>

namespace e2e {

class ShellOpens {
 public:
  // Registers the recorder (for the rest of the run; each test gets its
  // own file).
  ShellOpens();
  // What was opened so far, in order; paths in their Z:\ form.
  std::vector<std::string> Lines() const;
  // Waits for `count` lines.
  bool WaitForLines(std::size_t count, unsigned timeoutMs) const;

 private:
  std::string log_;
};

}  // namespace e2e
