#include "cli/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orbisca::cli {

std::optional<std::string> WriteStandardOutput(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(STDOUT_FILENO, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::string(std::strerror(errno));
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return std::nullopt;
}

}  // namespace orbisca::cli

namespace orbisca::cli {

std::string EscapeControls(std::string_view text, bool keepLineBreaks) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte >= 0x20 && byte != 0x7F) || (c == '\n' && keepLineBreaks)) {
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

void WriteMessage(std::string_view text) {
  std::string escaped = EscapeControls(text, true);
  std::string_view rest = escaped;
  while (!rest.empty()) {
    const ssize_t n = write(STDERR_FILENO, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // standard error itself failed: nothing is left to tell
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace orbisca::cli
