// The RTF encoder on any bytes: the document is ASCII, its braces balance,
// and a small RTF reader written here gets back the text that was encoded.
//
// Input: the first byte, as a signed number, is the font size in half points
// (so sizes below 1, which become 1, are reached too); the rest is the text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "report/rtf.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// UTF-8 decoding written apart from the encoder's, from the code point ranges
// rather than the byte table: an ill-formed sequence becomes one U+FFFD per
// maximal subpart (the longest prefix that some well-formed sequence starts
// with), as the Unicode Standard recommends (chapter 3, "U+FFFD Substitution
// of Maximal Subparts").
struct SequenceShape {
  int length;
  char32_t first;  // the smallest code point this length may encode
  char32_t last;
};

std::optional<SequenceShape> ShapeOf(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return SequenceShape{2, 0x80, 0x7FF};
  if ((lead & 0xF0) == 0xE0) return SequenceShape{3, 0x800, 0xFFFF};
  if ((lead & 0xF8) == 0xF0) return SequenceShape{4, 0x10000, 0x10FFFF};
  return std::nullopt;
}

// Whether some well-formed sequence of the shape starts with these bytes: the
// code points they can still become must meet [first, last] outside the
// surrogates.
bool ViablePrefix(std::string_view bytes, const SequenceShape& shape) {
  char32_t low = static_cast<unsigned char>(bytes[0]) & (0x7F >> shape.length);
  for (std::size_t k = 1; k < bytes.size(); ++k) {
    const auto b = static_cast<unsigned char>(bytes[k]);
    if ((b & 0xC0) != 0x80) return false;
    low = (low << 6) | (b & 0x3F);
  }
  const int open = shape.length - static_cast<int>(bytes.size());
  const char32_t high = ((low + 1) << (6 * open)) - 1;
  low <<= 6 * open;
  const char32_t from = std::max(low, shape.first);
  const char32_t to = std::min(high, shape.last);
  if (from > to) return false;
  const bool onlySurrogates = from >= 0xD800 && to <= 0xDFFF;
  return !onlySurrogates;
}

std::u32string ReferenceDecode(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += lead;
      ++i;
      continue;
    }
    const auto shape = ShapeOf(lead);
    std::size_t taken = 1;
    if (shape) {
      while (taken < static_cast<std::size_t>(shape->length) && i + taken < text.size() &&
             ViablePrefix(text.substr(i, taken + 1), *shape)) {
        ++taken;
      }
    }
    if (shape && taken == static_cast<std::size_t>(shape->length) && ViablePrefix(text.substr(i, taken), *shape)) {
      char32_t c = lead & (0x7F >> shape->length);
      for (std::size_t k = 1; k < taken; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      out += c;
    } else {
      out += U'\uFFFD';
    }
    i += taken;
  }
  return out;
}

// What a reader must get back: the decoded text with every line break (CR LF,
// a lone CR, a lone LF) as one paragraph end, written here as LF.
std::u32string ExpectedText(std::string_view input) {
  const std::u32string chars = ReferenceDecode(input);
  std::u32string out;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] == U'\r') {
      if (i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
      out += U'\n';
    } else {
      out += chars[i];
    }
  }
  return out;
}

// A reader for the RTF the encoder writes, kept general where that costs
// nothing: groups, control words with an optional signed number and their one
// delimiting space, control symbols, \uN with one fallback character skipped
// (\uc1), \par and \tab. The font table is a destination and gives no text.
// Returns the text with \par as LF, or nothing when the document is malformed.
struct ReadResult {
  std::u32string text;
  long fontSize = -1;
};

std::optional<ReadResult> ReadRtf(std::string_view rtf) {
  ReadResult result;
  std::u16string units;
  int depth = 0;
  int skipDepth = 0;  // inside a destination group at or below this depth
  bool headerSeen = false;
  std::size_t i = 0;
  auto emit = [&](char16_t unit) {
    if (skipDepth == 0) units += unit;
  };
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      ++depth;
      ++i;
    } else if (c == '}') {
      if (depth == 0) return std::nullopt;
      if (skipDepth == depth) skipDepth = 0;
      --depth;
      ++i;
      if (depth == 0 && i != rtf.size()) return std::nullopt;  // text after the document
    } else if (c == '\r' || c == '\n') {
      ++i;  // line breaks of the source carry nothing
    } else if (c != '\\') {
      if (depth == 0) return std::nullopt;
      emit(static_cast<unsigned char>(c));
      ++i;
    } else {
      ++i;
      if (i == rtf.size()) return std::nullopt;
      const char s = rtf[i];
      if (s == '\\' || s == '{' || s == '}') {
        emit(static_cast<unsigned char>(s));
        ++i;
        continue;
      }
      std::string word;
      while (i < rtf.size() && ((rtf[i] >= 'a' && rtf[i] <= 'z') || (rtf[i] >= 'A' && rtf[i] <= 'Z'))) word += rtf[i++];
      if (word.empty()) return std::nullopt;  // no other control symbol is written
      std::optional<long> number;
      bool negative = false;
      if (i < rtf.size() && rtf[i] == '-') {
        negative = true;
        ++i;
      }
      if (i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9') {
        long v = 0;
        while (i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9' && v < 100000) v = v * 10 + (rtf[i++] - '0');
        number = negative ? -v : v;
      } else if (negative) {
        return std::nullopt;
      }
      if (i < rtf.size() && rtf[i] == ' ') ++i;  // the delimiter belongs to the word
      if (word == "rtf") {
        if (depth != 1 || headerSeen || number != 1) return std::nullopt;
        headerSeen = true;
      } else if (!headerSeen) {
        return std::nullopt;
      } else if (word == "fonttbl") {
        skipDepth = depth;
      } else if (word == "par") {
        emit(u'\n');
      } else if (word == "tab") {
        emit(u'\t');
      } else if (word == "fs") {
        if (!number) return std::nullopt;
        result.fontSize = *number;
      } else if (word == "u") {
        if (!number || *number < -32768 || *number > 32767) return std::nullopt;
        emit(static_cast<char16_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(*number))));
        if (i < rtf.size() && rtf[i] != '\\' && rtf[i] != '{' && rtf[i] != '}') ++i;  // \uc1: one fallback character
        else return std::nullopt;  // the encoder always writes "?"
      }
    }
  }
  if (depth != 0 || !headerSeen) return std::nullopt;
  // UTF-16 to code points; an unpaired surrogate is a fault of the writer.
  for (std::size_t k = 0; k < units.size(); ++k) {
    const char16_t u = units[k];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (k + 1 == units.size() || units[k + 1] < 0xDC00 || units[k + 1] > 0xDFFF) return std::nullopt;
      result.text += 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[k + 1] - 0xDC00);
      ++k;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      return std::nullopt;
    } else {
      result.text += u;
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int halfPoints = static_cast<std::int8_t>(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string rtf = orbisca::EncodeRtf(text, halfPoints);

  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const auto b = static_cast<unsigned char>(rtf[i]);
    FUZZ_CHECK(b < 0x80, "the document is ASCII");
    FUZZ_CHECK(b >= 0x20 || rtf[i] == '\r' || rtf[i] == '\n', "no control character but the line breaks");
    if (rtf[i] == '\r') FUZZ_CHECK(i + 1 < rtf.size() && rtf[i + 1] == '\n', "CR only in CR LF");
    if (rtf[i] == '\\') {
      ++i;  // an escaped character counts for no group
      FUZZ_CHECK(i < rtf.size(), "no backslash at the end");
      continue;
    }
    if (rtf[i] == '{') ++depth;
    if (rtf[i] == '}') FUZZ_CHECK(--depth >= 0, "no brace closes a group that is not open");
    FUZZ_CHECK(depth > 0 || i + 1 == rtf.size(), "one outer group holds everything");
  }
  FUZZ_CHECK(depth == 0, "the braces balance");

  const auto read = ReadRtf(rtf);
  FUZZ_CHECK(read.has_value(), "the reader accepts the document");
  FUZZ_CHECK(read->fontSize == std::max(halfPoints, 1), "the font size is the one asked for, at least 1");
  FUZZ_CHECK(read->text == ExpectedText(text), "the reader gets back the text");
  FUZZ_CHECK(orbisca::DecodeUtf8(text) == ReferenceDecode(text), "the decoder replaces maximal subparts");
  return 0;
}
