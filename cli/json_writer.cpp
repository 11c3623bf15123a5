#include "cli/json_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace orbisca::cli {

char* JsonWriter::Indent(char* p) {
  *p++ = '\n';
  return std::fill_n(p, depth_ * indent_, ' ');
}

void JsonWriter::Open(char bracket) {
  char* p = Separate(Room(SeparatorRoom()));
  *p++ = bracket;
  Done(p);
  empty_[static_cast<std::size_t>(depth_++)] = true;
}

void JsonWriter::Close(char bracket) {
  const bool wasEmpty = empty_[static_cast<std::size_t>(--depth_)];
  char* p = Room(SeparatorRoom());
  if (indent_ >= 0 && !wasEmpty) {
    *p++ = '\n';
    p = std::fill_n(p, depth_ * indent_, ' ');
  }
  *p++ = bracket;
  Done(p);
}

void JsonWriter::Key(std::string_view key) {
  Done(KeyAt(Room(SeparatorRoom() + key.size()), key));
  afterKey_ = true;
}

void JsonWriter::Plain(std::string_view bytes) {
  char* p = Separate(Room(SeparatorRoom() + bytes.size()));
  Done(std::copy(bytes.begin(), bytes.end(), p));
}

void JsonWriter::String(std::string_view value) {
  char* p = Separate(Room(SeparatorRoom() + 6 * value.size()));
  *p++ = '"';
  p = WriteJsonEscaped(p, value);
  *p++ = '"';
  Done(p);
}

void JsonWriter::String(TableName value) {
  char* p = Separate(Room(SeparatorRoom() + value.text.size()));
  *p++ = '"';
  p = std::copy(value.text.begin(), value.text.end(), p);
  *p++ = '"';
  Done(p);
}

void JsonWriter::Number(double value) {
  Plain({});
  holes_.push_back(used_);
  numbers_.push_back(value);
}

void JsonWriter::Integer(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  Plain(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

void JsonWriter::Boolean(bool value) { Plain(value ? "true" : "false"); }

void JsonWriter::Null() { Plain("null"); }

void JsonWriter::Finish(std::string& out) {
  const std::string_view text(buffer_.data(), used_);
  if (numbers_.empty()) {
    out += text;
  } else {
    // All the numbers in one array, dumped once: "[n1,n2,...]". A number's
    // text holds no comma, and a non-finite one is "null", as a value's dump is.
    auto& array = numberArray_.get_ref<nlohmann::json::array_t&>();
    array.resize(numbers_.size());
    for (std::size_t i = 0; i < numbers_.size(); ++i) array[i] = numbers_[i];
    const std::string numbers = numberArray_.dump();
    std::size_t from = 1;  // past '['
    std::size_t at = 0;
    for (const std::size_t hole : holes_) {
      out.append(text, at, hole - at);
      const std::size_t end = std::min(numbers.find(',', from), numbers.size() - 1);
      out.append(numbers, from, end - from);
      from = end + 1;
      at = hole;
    }
    out.append(text, at, std::string_view::npos);
  }
  used_ = 0;
  numbers_.clear();
  holes_.clear();
  depth_ = 0;
  afterKey_ = false;
}

namespace {

// The number of bytes of the valid UTF-8 sequence at the start of `s`, as
// the library's decoder (Björn Höhrmann's) accepts them: no overlong form,
// no surrogate, nothing past U+10FFFF. When the sequence is not valid, 0, and
// `bad` gets the bytes the replacement character stands for: the first byte
// alone when it starts no sequence, else the bytes read before the one that
// broke it (which is then read again), or all that is left at the end.
std::size_t Utf8Length(std::string_view s, std::size_t& bad) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = byte(0);
  std::size_t n;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) low = 0xA0;   // overlong
    if (c == 0xED) high = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) low = 0x90;   // overlong
    if (c == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    bad = 1;
    return 0;
  }
  for (std::size_t i = 1; i < n; ++i) {
    const bool fits = i < s.size() && byte(i) >= (i == 1 ? low : 0x80) && byte(i) <= (i == 1 ? high : 0xBF);
    if (!fits) {
      bad = std::min(i, s.size());
      return 0;
    }
  }
  return n;
}

// Bytes that a JSON string carries as they are: ASCII from the space up,
// but the quote and the backslash.
constexpr std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
  return plain;
}();

}  // namespace

void AppendJsonEscaped(std::string& out, std::string_view text) {
  const std::size_t at = out.size();
  out.resize(at + 6 * text.size());
  out.resize(static_cast<std::size_t>(WriteJsonEscaped(out.data() + at, text) - out.data()));
}

char* WriteJsonEscaped(char* p, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (kPlain[c]) {
      // A run of plain characters in one copy.
      std::size_t j = i + 1;
      while (j < text.size() && kPlain[static_cast<unsigned char>(text[j])]) ++j;
      p = std::copy_n(text.data() + i, j - i, p);
      i = j;
      continue;
    }
    if (c >= 0x80) {
      std::size_t bad = 0;
      const std::size_t n = Utf8Length(text.substr(i), bad);
      if (n > 0) {
        p = std::copy_n(text.data() + i, n, p);
        i += n;
      } else {
        p = std::copy_n("\xEF\xBF\xBD", 3, p);  // U+FFFD
        i += bad;
      }
      continue;
    }
    *p++ = '\\';
    switch (c) {
      case '"': *p++ = '"'; break;
      case '\\': *p++ = '\\'; break;
      case '\b': *p++ = 'b'; break;
      case '\f': *p++ = 'f'; break;
      case '\n': *p++ = 'n'; break;
      case '\r': *p++ = 'r'; break;
      case '\t': *p++ = 't'; break;
      default:
        p = std::copy_n("u00", 3, p);
        *p++ = kHex[c >> 4];
        *p++ = kHex[c & 0xF];
    }
    ++i;
  }
  return p;
}

}  // namespace orbisca::cli
