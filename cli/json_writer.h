#pragma once

// JSON text written straight into a string, byte for byte as nlohmann-json's
// dump(indent, ' ', false, error_handler_t::replace) writes the same values,
// without building a document: a batch writes millions of rows, and building
// each as an ordered_json cost about 20 µs a row.

#include <algorithm>
#include <array>
#include <charconv>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace orbisca::cli {

// A text of the program's own tables (a body's, a sign's, a tithi's name):
// printable ASCII without a quote or a backslash, so written as it is, with
// no scan for what to escape.
struct TableName {
  std::string_view text;
};

class JsonWriter {
 public:
  // On one line (indent < 0), or with `indent` spaces per level.
  explicit JsonWriter(int indent = -1) : indent_(indent) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // The key of the next value of the current object: plain ASCII that needs
  // no escape (the program's own keys).
  void Key(std::string_view key);
  void String(std::string_view value);
  void String(TableName value);
  void Number(double value);
  void Integer(long long value);
  void Boolean(bool value);
  void Null();

  template <typename T>
  void Member(std::string_view key, const T& value) {
    Key(key);
    Value(value);
  }
  // The members a chart writes most, each in one piece. Inline, so that a
  // key written as a literal is copied at a size the compiler knows.
  void Member(std::string_view key, TableName value) {
    char* p = KeyAt(Room(SeparatorRoom() + key.size() + value.text.size() + 2), key);
    *p++ = '"';
    p = std::copy(value.text.begin(), value.text.end(), p);
    *p++ = '"';
    Done(p);
  }
  void Member(std::string_view key, int value) {
    char* p = KeyAt(Room(SeparatorRoom() + key.size() + 12), key);
    Done(std::to_chars(p, p + 12, value).ptr);
  }
  void Member(std::string_view key, double value) {
    Done(KeyAt(Room(SeparatorRoom() + key.size()), key));
    holes_.push_back(used_);
    numbers_.push_back(value);
  }

  // Appends the text written since the last Finish to `out`, and starts over.
  void Finish(std::string& out);

 private:
  void Value(std::string_view v) { String(v); }
  void Value(const std::string& v) { String(v); }
  void Value(const char* v) { String(v); }
  void Value(TableName v) { String(v); }
  void Value(double v) { Number(v); }
  void Value(bool v) { Boolean(v); }
  void Value(int v) { Integer(v); }
  void Value(long v) { Integer(v); }
  void Value(long long v) { Integer(v); }
  void Value(unsigned long v) { Integer(static_cast<long long>(v)); }
  void Open(char bracket);
  void Close(char bracket);
  // Before a value or a key: the comma and the line break the place needs,
  // written at `p`; returns the end.
  char* Separate(char* p) {
    if (afterKey_) {
      afterKey_ = false;
      return p;
    }
    if (depth_ == 0) return p;
    bool& empty = empty_[static_cast<std::size_t>(depth_ - 1)];
    if (!empty) *p++ = ',';
    empty = false;
    return indent_ >= 0 ? Indent(p) : p;
  }
  // A line break and the indentation of the current depth, at p.
  char* Indent(char* p);
  // Room for n more bytes at the end of the text; the caller writes there
  // and ends the text where it stopped.
  char* Room(std::size_t n) {
    if (buffer_.size() - used_ < n) buffer_.resize(std::max(2 * buffer_.size(), used_ + n));
    return buffer_.data() + used_;
  }
  void Done(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  // The most a separator and a key's quotes take.
  std::size_t SeparatorRoom() const { return 6 + static_cast<std::size_t>(indent_ < 0 ? 0 : indent_ * depth_); }
  // Writes `bytes` as a value.
  void Plain(std::string_view bytes);
  // Writes `"key":` (and a space when indented) at p, after its separator;
  // returns the end.
  char* KeyAt(char* p, std::string_view key) {
    p = Separate(p);
    *p++ = '"';
    p = std::copy(key.begin(), key.end(), p);
    *p++ = '"';
    *p++ = ':';
    if (indent_ >= 0) *p++ = ' ';
    return p;
  }

  int indent_;
  static constexpr int kMaxDepth = 16;
  std::array<bool, kMaxDepth> empty_{};  // per open container: nothing written in it yet
  int depth_ = 0;
  bool afterKey_ = false;
  // The text, with a hole where each number goes. The numbers are formatted
  // together at the end by the library itself, so that they keep its
  // shortest round-trip digits (which std::to_chars gives differently for
  // about one number in a thousand).
  // The text is the first used_ bytes: the buffer grows and is kept, so a
  // row costs no allocation once the first rows have been written.
  std::string buffer_;
  std::size_t used_ = 0;
  std::vector<double> numbers_;
  std::vector<std::size_t> holes_;  // where each number goes in the text
  nlohmann::json numberArray_ = nlohmann::json::array();
};

// Appends the text escaped as a JSON string's contents (without the quotes):
// the quote, the backslash and control bytes escaped, other bytes kept, and
// each invalid UTF-8 sequence replaced by U+FFFD as the library's replace
// handler does.
void AppendJsonEscaped(std::string& out, std::string_view text);

// The same written at `p`, which has room for 6 bytes per byte of `text`;
// returns the end.
char* WriteJsonEscaped(char* p, std::string_view text);

}  // namespace orbisca::cli
