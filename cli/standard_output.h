#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbisca::cli {

// Writes all of `data` to standard output, in one write when the system takes
// it whole; the system's reason when it cannot (a full disk, a file-size
// limit), so that output lost is never reported as success.
std::optional<std::string> WriteStandardOutput(std::string_view data);

// `text` with its control bytes written as escapes (\t, \r, \n and \xNN for
// the others, NUL and ESC among them), so that a message that echoes input
// shows all of it and cannot steer the terminal. Line breaks are kept when
// asked: a message's own lines.
std::string EscapeControls(std::string_view text, bool keepLineBreaks = false);

// Writes a message to standard error whole, its control bytes but its line
// breaks escaped.
void WriteMessage(std::string_view text);

}  // namespace orbisca::cli
