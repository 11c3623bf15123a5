#include "cli/json_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace orbisca::cli {

void JsonText::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (depth_ == 0) return;
  bool& empty = empty_[static_cast<std::size_t>(depth_ - 1)];
  if (!empty) out_ += ',';
  empty = false;
  if (indent_ >= 0) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(depth_ * indent_), ' ');
  }
}

void JsonText::Open(char bracket) {
  Separate();
  out_ += bracket;
  empty_[static_cast<std::size_t>(depth_++)] = true;
}

void JsonText::Close(char bracket) {
  const bool wasEmpty = empty_[static_cast<std::size_t>(--depth_)];
  if (indent_ >= 0 && !wasEmpty) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(depth_ * indent_), ' ');
  }
  out_ += bracket;
}

void JsonText::Key(std::string_view key) {
  Separate();
  // "key": in one piece of the string, grown once.
  const std::size_t at = out_.size();
  const std::size_t tail = indent_ >= 0 ? 3 : 2;
  out_.resize(at + key.size() + 1 + tail);
  char* p = out_.data() + at;
  *p++ = '"';
  p = std::copy(key.begin(), key.end(), p);
  *p++ = '"';
  *p++ = ':';
  if (indent_ >= 0) *p = ' ';
  afterKey_ = true;
}

void JsonText::String(std::string_view value) {
  Separate();
  out_ += '"';
  AppendJsonEscaped(out_, value);
  out_ += '"';
}

void JsonText::Boolean(bool value) {
  Separate();
  out_ += value ? "true" : "false";
}

void JsonText::Number(double value) {
  Separate();
  if (!std::isfinite(value)) {
    out_ += "null";
    return;
  }
  std::array<char, 64> buffer;
  char* end = nlohmann::detail::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out_.append(buffer.data(), end);
}

void JsonText::Integer(long long value) {
  Separate();
  std::array<char, 24> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out_.append(buffer.data(), result.ptr);
}

namespace {

// The length of the valid UTF-8 sequence at the start of s, 0 if none.
std::size_t Utf8Length(std::string_view s) {
  const auto b = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const auto continuation = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return continuation(1) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    if (!continuation(1) || !continuation(2)) return 0;
    if (c == 0xE0 && b(1) < 0xA0) return 0;   // overlong
    if (c == 0xED && b(1) > 0x9F) return 0;   // surrogates
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
    if (c == 0xF0 && b(1) < 0x90) return 0;   // overlong
    if (c == 0xF4 && b(1) > 0x8F) return 0;   // beyond U+10FFFF
    return 4;
  }
  return 0;
}

// Bytes that a JSON string can carry as they are: printable ASCII but the
// quote and the backslash.
constexpr std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
  return plain;
}();

}  // namespace

void AppendJsonEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (kPlain[c]) {
      // A run of plain characters in one append.
      std::size_t j = i + 1;
      while (j < text.size() && kPlain[static_cast<unsigned char>(text[j])]) ++j;
      out.append(text.data() + i, j - i);
      i = j;
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else if (const std::size_t n = Utf8Length(text.substr(i)); n > 0) {
          out.append(text.data() + i, n);
          i += n;
          continue;
        } else {
          out += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no valid sequence
        }
    }
    ++i;
  }
}

}  // namespace orbisca::cli
