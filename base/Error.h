// The project's exceptions: an error that carries its message (bytes of the
// system's code page, shown to the user as they are). Every exception class
// of ours derives from this one rather than from std::runtime_error and its
// kin: those keep their message in a string class of the library's own,
// which would bring some 60 KB of the library into the agent for the sake of
// a message.
#pragma once

#include <exception>
#include <string>
#include <utility>

class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};
