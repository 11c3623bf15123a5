#include "report/rtf.h"

#include <cmath>

namespace orbisca {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Writes one UTF-16 code unit as an RTF Unicode control word. RTF takes the
// number as a signed 16-bit value; the "?" is the fallback that readers
// without Unicode show, skipped by the others (\uc1).
void AppendUnit(std::string& out, std::uint16_t unit) {
  out += "\\u";
  out += std::to_string(static_cast<int>(static_cast<std::int16_t>(unit)));
  out += '?';
}

void AppendCodePoint(std::string& out, char32_t c) {
  if (c >= 0x10000) {
    const char32_t v = c - 0x10000;
    AppendUnit(out, static_cast<std::uint16_t>(0xD800 + (v >> 10)));
    AppendUnit(out, static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
  } else {
    AppendUnit(out, static_cast<std::uint16_t>(c));
  }
}

// The lead byte's number of continuation bytes, its bits of the code point
// and the allowed range of the first continuation byte (which rules out
// overlong forms, surrogates and values beyond U+10FFFF, as in the Unicode
// Standard's table of well-formed sequences). more < 0: not a lead byte.
struct LeadByte {
  int more = -1;
  char32_t bits = 0;
  unsigned char lo = 0x80, hi = 0xBF;
};

LeadByte ReadLead(unsigned char b0) {
  LeadByte lead;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    lead = {1, static_cast<char32_t>(b0 & 0x1F)};
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    lead = {2, static_cast<char32_t>(b0 & 0x0F)};
    if (b0 == 0xE0) lead.lo = 0xA0;
    if (b0 == 0xED) lead.hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    lead = {3, static_cast<char32_t>(b0 & 0x07)};
    if (b0 == 0xF0) lead.lo = 0x90;
    if (b0 == 0xF4) lead.hi = 0x8F;
  }
  return lead;
}

// Decodes the sequence of more than one byte at text[i] and moves i past it.
// An ill-formed sequence gives one U+FFFD and decoding resumes at the byte
// that broke it.
char32_t DecodeSequence(std::string_view text, std::size_t& i) {
  const LeadByte lead = ReadLead(static_cast<unsigned char>(text[i]));
  if (lead.more < 0) {
    ++i;
    return kReplacement;
  }
  char32_t c = lead.bits;
  std::size_t j = i + 1;
  for (int k = 0; k < lead.more; ++k, ++j) {
    const unsigned char min = k == 0 ? lead.lo : 0x80;
    const unsigned char max = k == 0 ? lead.hi : 0xBF;
    if (j >= text.size() || static_cast<unsigned char>(text[j]) < min || static_cast<unsigned char>(text[j]) > max) {
      i = j;
      return kReplacement;
    }
    c = (c << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
  }
  i = j;
  return c;
}

// Appends chars[i] (and the LF of a CR LF, moving i past it) to the document
// body. `afterPlainSpace` carries the state of a run of spaces.
void AppendChar(std::string& out, const std::u32string& chars, std::size_t& i, bool& afterPlainSpace) {
  const char32_t c = chars[i];
  // LibreOffice's importer turns a run of plain spaces into spaces mixed
  // with six-per-em spaces (U+2006), which then show up when the text is
  // copied. Writing every second space of a run as \u32? keeps each piece of
  // plain text free of double spaces; to any reader it is the same space.
  if (c == U' ') {
    out += afterPlainSpace ? "\\u32?" : " ";
    afterPlainSpace = !afterPlainSpace;
    return;
  }
  afterPlainSpace = false;
  switch (c) {
    case U'\r':
      if (i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
      [[fallthrough]];
    case U'\n':
      // The line break of the RTF source is ignored by readers; it only
      // keeps the file readable.
      out += "\\par\r\n";
      break;
    case U'\t':
      out += "\\tab ";
      break;
    case U'\\':
    case U'{':
    case U'}':
      out += '\\';
      out += static_cast<char>(c);
      break;
    default:
      if (c >= 0x20 && c < 0x7F) {
        out += static_cast<char>(c);
      } else {
        AppendCodePoint(out, c);
      }
  }
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      out += static_cast<char32_t>(b0);
      ++i;
    } else {
      out += DecodeSequence(text, i);
    }
  }
  return out;
}

int RtfHalfPoints(double points) { return static_cast<int>(std::nearbyint(points * 2)); }

std::string EncodeRtf(std::string_view text, int halfPoints) {
  if (halfPoints < 1) halfPoints = 1;
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 256);
  out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
  out += "{\\fonttbl{\\f0\\fswiss\\fcharset0 Verdana;}}\r\n";
  out += "\\viewkind4\\pard\\plain\\f0\\fs";
  out += std::to_string(halfPoints);
  out += ' ';

  const std::u32string chars = DecodeUtf8(text);
  bool afterPlainSpace = false;
  for (std::size_t i = 0; i < chars.size(); ++i) AppendChar(out, chars, i, afterPlainSpace);
  out += '}';
  return out;
}

}  // namespace orbisca
