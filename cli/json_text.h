#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orbisca::cli {

// Writes JSON text straight into a string, byte for byte as nlohmann-json's
// dump() (indent < 0) or dump(indent) would write the same object, without
// building one: a chart of the batch mode costs no allocation beyond the
// output's own. Numbers go through the library's own shortest round-trip
// formatter; strings are escaped as the library does, with invalid UTF-8
// replaced by U+FFFD.
class JsonText {
 public:
  explicit JsonText(std::string& out, int indent = -1) : out_(out), indent_(indent) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // The key of the next value of the current object: plain ASCII that needs
  // no escape (the program's own keys).
  void Key(std::string_view key);
  void String(std::string_view value);
  void Number(double value);
  void Integer(long long value);
  void Boolean(bool value);

  // A member of the current object in one call.
  template <typename T>
  void Member(std::string_view key, const T& value) {
    Key(key);
    Value(value);
  }

 private:
  void Value(std::string_view v) { String(v); }
  void Value(const char* v) { String(v); }
  void Value(double v) { Number(v); }
  void Value(bool v) { Boolean(v); }
  void Value(int v) { Integer(v); }
  void Value(long long v) { Integer(v); }
  void Value(unsigned long v) { Integer(static_cast<long long>(v)); }
  void Value(unsigned long long v) { Integer(static_cast<long long>(v)); }
  void Open(char bracket);
  void Close(char bracket);
  // Before a value or a key: the comma and the line break the place needs.
  void Separate();

  std::string& out_;
  int indent_;
  static constexpr int kMaxDepth = 16;
  std::array<bool, kMaxDepth> empty_{};  // per open container: nothing written in it yet
  int depth_ = 0;
  bool afterKey_ = false;
};

// Appends the text escaped as a JSON string's contents (without the quotes).
void AppendJsonEscaped(std::string& out, std::string_view text);

}  // namespace orbisca::cli
