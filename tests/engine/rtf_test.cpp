#include "report/rtf.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "report/report.h"

namespace orbisca {
namespace {

// The document body: what follows the font size control word.
std::string Body(const std::string& rtf) {
  const std::string start = "\\fs20 ";
  const auto at = rtf.find(start);
  if (at == std::string::npos) return {};
  std::string body = rtf.substr(at + start.size());
  const std::string end = "}";
  if (body.size() >= end.size() && body.compare(body.size() - end.size(), end.size(), end) == 0) {
    body.resize(body.size() - end.size());
  }
  return body;
}

// Group depth of an RTF document, skipping escaped braces; -1 when a group
// closes that was never opened.
int FinalDepth(const std::string& rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}') {
      if (--depth < 0) return -1;
      // Only the outermost group may close at the very end.
      if (depth == 0 && i + 1 < rtf.size() && rtf.find_first_not_of("\r\n", i + 1) != std::string::npos) return -1;
    }
  }
  return depth;
}

TEST(EncodeRtf, HeaderNamesCodePageFontAndSize) {
  const std::string rtf = EncodeRtf("x", 20);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fswiss\\fcharset0 Verdana;}}"), std::string::npos);
  EXPECT_NE(rtf.find("\\f0\\fs20 x}"), std::string::npos);
  EXPECT_NE(EncodeRtf("x", 40).find("\\fs40 x"), std::string::npos);
  EXPECT_EQ(FinalDepth(rtf), 0);
  EXPECT_EQ(rtf.back(), '}');
}

TEST(RtfHalfPoints, RoundsToWholeHalfPoints) {
  EXPECT_EQ(RtfHalfPoints(9.75), 20);
  EXPECT_EQ(RtfHalfPoints(9.0), 18);
  EXPECT_EQ(RtfHalfPoints(12.0), 24);
}

struct EscapeCase {
  const char* name;
  std::string text;
  std::string body;
};

// Each row: a text and the document body it must become.
const EscapeCase kEscapeCases[] = {
    {"plain", "Sun-Moon In Trine Aspect", "Sun-Moon In Trine Aspect"},
    {"space run", "Sun-Moon  In    Trine", "Sun-Moon \\u32?In \\u32? \\u32?Trine"},
    {"spaces around a break", " \r\n  x", " \\par\r\n \\u32?x"},
    {"crlf", "a\r\nb", "a\\par\r\nb"},
    {"blank line", "a\r\n\r\nb", "a\\par\r\n\\par\r\nb"},
    {"lone lf", "a\nb", "a\\par\r\nb"},
    {"lone cr", "a\rb", "a\\par\r\nb"},
    {"backslash", "a\\par b", "a\\\\par b"},
    {"braces", "}{x}{", "\\}\\{x\\}\\{"},
    {"tab", "a\tb", "a\\tab b"},
    {"latin", "caf\xC3\xA9", "caf\\u233?"},
    {"fallback kept apart", "\xC3\xA9?1", "\\u233??1"},
    {"euro", "\xE2\x82\xAC", "\\u8364?"},
    {"above 32767 is negative", "\xEF\xBF\xBD", "\\u-3?"},
    {"astral as surrogate pair", "\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
    {"last code point", "\xF4\x8F\xBF\xBF", "\\u-9217?\\u-8193?"},
    {"control character", std::string("a\x01z"), "a\\u1?z"},
    {"delete", "\x7F", "\\u127?"},
    {"stray continuation byte", "a\x80z", "a\\u-3?z"},
    {"invalid byte", "\xFF", "\\u-3?"},
    {"truncated sequence is one replacement", "\xE2\x82z", "\\u-3?z"},
    {"truncated at the end", "a\xF0\x9F\x98", "a\\u-3?"},
    {"overlong form", "\xC0\xAF", "\\u-3?\\u-3?"},
    {"overlong three bytes", "\xE0\x80\xAF", "\\u-3?\\u-3?\\u-3?"},
    {"encoded surrogate", "\xED\xA0\x80", "\\u-3?\\u-3?\\u-3?"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\u-3?\\u-3?\\u-3?\\u-3?"},
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class EncodeRtfEscapes : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EncodeRtfEscapes, BodyIsAsExpected) {
  const EscapeCase& c = GetParam();
  const std::string rtf = EncodeRtf(c.text);
  EXPECT_EQ(Body(rtf), c.body);
  EXPECT_EQ(FinalDepth(rtf), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, EncodeRtfEscapes, ::testing::ValuesIn(kEscapeCases),
                         [](const ::testing::TestParamInfo<EscapeCase>& info) {
                           std::string name;
                           for (char ch : std::string(info.param.name)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return name;
                         });

// Whatever bytes come in, the document is plain ASCII and its groups balance.
TEST(EncodeRtf, AnyBytesGiveAWellFormedAsciiDocument) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 300; ++round) {
    std::string text(static_cast<std::size_t>(byte(random)), '\0');
    for (char& ch : text) ch = static_cast<char>(byte(random));
    const std::string rtf = EncodeRtf(text);
    for (char ch : rtf) ASSERT_LT(static_cast<unsigned char>(ch), 0x80) << "round " << round;
    ASSERT_EQ(FinalDepth(rtf), 0) << "round " << round;
  }
}

// ---- Read back by an independent reader (LibreOffice, headless) ----

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Line breaks of any kind as LF, as the reader writes them.
std::string Lf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

// The first position where two texts differ, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return "first difference at byte " + std::to_string(i) + ": expected \"" + a.substr(i, 40) + "\", read \"" +
         b.substr(i, 40) + "\"";
}

std::string HostileText() {
  std::string t;
  t += "{\\rtf1 a document inside}}}{{{ the text\\\r\n";
  t += "\\par \\b not bold\\b0 \\u1234? \\'e9 {\\*\\generator x} \\\\ \\\r\n";
  t += "caf\xC3\xA9? 123 \xC3\xA9" "123 na\xC3\xAF" "ve \xC3\x9F \xE2\x82\xAC \xE2\x80\xB0 \xCE\xA9 \xD0\x96 \xE2\x98\x89 \xE2\x99\x82\r\n";
  t += "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xD8\xA7\xD9\x84\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A\xD8\xA9 \xE0\xA4\xB9\xE0\xA4\xBF\xE0\xA4\x82\xE0\xA4\xA6\xE0\xA5\x80\r\n";
  t += "astral: \xF0\x9F\x98\x80 \xF0\x9D\x84\x9E \xF0\x90\x8D\x88 \xF0\x9F\x9C\x80\r\n";
  t += "tab\there, lone LF\nand lone CR\rend\r\n";
  t += "invalid \xFF\xC0\xAF bytes\r\n";
  t += "\r\n";
  std::string longLine;
  for (int i = 0; longLine.size() < 30000; ++i) longLine += "w" + std::to_string(i) + (i % 7 == 0 ? "\xC3\xA9{}\\ " : " ");
  t += longLine + "\r\n";
  t += "? ?? \\u \\ {} last\r\n";
  return t;
}

// What the hostile text must read back as: each line break an LF, each
// invalid UTF-8 sequence a U+FFFD.
std::string HostileExpected() {
  std::string t = Lf(HostileText());
  const std::string invalid = "\xFF\xC0\xAF";
  const std::string replaced = "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD";
  t.replace(t.find(invalid), invalid.size(), replaced);
  return t;
}

std::string RealReport() {
  const std::vector<AspectEntry> entries = {
      {AspectKind::Conjunction, Body::Sun, Body::Mercury, 4},
      {AspectKind::Conjunction, Body::Mercury, Body::Sun, -4},
      {AspectKind::SemiSextile, Body::Venus, Body::Sun, 29},
      {AspectKind::Sextile, Body::Mars, Body::Moon, 61},
      {AspectKind::Square, Body::Jupiter, Body::Venus, 90},
      {AspectKind::Trine, Body::Saturn, Body::Mars, 119},
      {AspectKind::Quincunx, Body::Neptune, Body::Mercury, 150},
      {AspectKind::Opposition, Body::Pluto, Body::Moon, 178},
  };
  return BuildReport(KindTexts(entries), "https://orbisca.example/");
}

// The real report and the hostile text are read in one run of the reader,
// since each start of it costs about a second.
TEST(RtfReadBack, ReportAndHostileTextReadBackUnchanged) {
  const std::filesystem::path script =
      std::filesystem::path(__FILE__).parent_path().parent_path() / "support" / "rtf_to_text.sh";
  ASSERT_TRUE(std::filesystem::exists(script)) << script;

  std::string pattern = (std::filesystem::temp_directory_path() / "rtf_read_back.XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path dir = pattern;

  const std::string report = RealReport();
  const std::string hostile = HostileText();
  WriteFile(dir / "report.rtf", EncodeRtf(report));
  WriteFile(dir / "hostile.rtf", EncodeRtf(hostile));

  const std::string command = "'" + script.string() + "' '" + (dir / "out").string() + "' '" +
                              (dir / "report.rtf").string() + "' '" + (dir / "hostile.rtf").string() + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << command;
  ASSERT_NE(WEXITSTATUS(status), 127) << "LibreOffice (soffice) is needed to read the documents back: "
                                         "apt-get install libreoffice-writer-nogui";
  ASSERT_EQ(WEXITSTATUS(status), 0) << command;

  const std::string reportBack = ReadFile(dir / "out" / "report.txt");
  const std::string hostileBack = ReadFile(dir / "out" / "hostile.txt");
  EXPECT_EQ(reportBack, Lf(report)) << FirstDifference(Lf(report), reportBack);
  EXPECT_EQ(hostileBack, HostileExpected()) << FirstDifference(HostileExpected(), hostileBack);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orbisca
