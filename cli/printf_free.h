#pragma once

// The chart listing's number fields written without printf, byte for byte
// as printf writes them: a run then does without the cold formatting code
// of the C library, most of the cost of printing one chart.
#include <string>
#include <string_view>

namespace orbisca::cli {

// printf("%*.4f", width, value): rounded from the exact binary value, ties to
// even, as glibc rounds; right-aligned.
void AppendFixed4(std::string& out, double value, int width);

// printf("%*d", width, value), or "%0*d" with zeroFill.
void AppendInt(std::string& out, int value, int width, bool zeroFill = false);

// printf("%-*s", width, text).
void AppendLeft(std::string& out, std::string_view text, int width);

}  // namespace orbisca::cli
