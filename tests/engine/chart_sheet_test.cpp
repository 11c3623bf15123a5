// The chart sheet's pages: how many, every text escaped and inside the page,
// and the aspect lines that do not fit counted, not lost silently.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/chart_sheet.h"
#include "svg_texts.h"

namespace orbisca {
namespace {

ChartSheet Hostile() {
  ChartSheet sheet;
  sheet.name = "<script>&\"'" + std::string(80, 'W');
  sheet.birthLines = {"</text>&amp; " + std::string(120, 'm'), "\x01\xff bad bytes"};
  sheet.instantLine = "Universal time 1976-07-04 14:15";
  sheet.particulars = {{std::string(40, 'W'), std::string(80, 'M')}};
  sheet.positions = {{"Sun", std::string(50, 'W'), "19\u00B010\u2032", std::string(60, 'M'), "4", "Meena (Pisces)"}};
  sheet.mahadashas = {{std::string(30, 'W'), "1976-07-04", "1986-07-04"}};
  sheet.dashaBalance = std::string(90, 'W');
  return sheet;
}

TEST(ChartSheet, OnePageWithoutAspectsTwoWith) {
  ChartSheet sheet = Hostile();
  EXPECT_EQ(ChartSheetSvgPages(sheet).size(), 1u);
  sheet.aspects = {{"Conjunction", {"Sun conjunct Mercury 1\u00B012\u2032"}}};
  const std::vector<std::string> pages = ChartSheetSvgPages(sheet);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[1].find("<desc>Page 2 of 2</desc>"), std::string::npos);
  EXPECT_NE(pages[1].find(">Sun conjunct Mercury 1\u00B012\u2032</text>"), std::string::npos);
  for (const std::string& page : pages)
    EXPECT_NE(page.find("viewBox=\"0 0 595.28 841.89\""), std::string::npos) << "A4 in points";
}

// Every text, however long or hostile, is escaped and drawn inside the page's
// margins (its width by the same conservative measure as the pictures').
TEST(ChartSheet, HostileTextsStayEscapedAndOnThePage) {
  ChartSheet sheet = Hostile();
  const std::string aspect = "Sun conjunct Moon 1\u00B000\u2032";
  sheet.aspects = {{std::string(90, 'W'), std::vector<std::string>(299, aspect)}, {"Trine", {std::string(70, 'm')}}};
  std::size_t drawnAspects = 0, notShown = 0;
  for (const std::string& page : ChartSheetSvgPages(sheet)) {
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("</text>&amp;"), std::string::npos);
    EXPECT_EQ(page.find('\x01'), std::string::npos);
    for (const SvgText& t : TextsOf(page)) {
      SCOPED_TRACE(t.text);
      if (t.cls != "sheet cell" && t.cls != "sheet" && t.cls != "sheet heading" && t.cls != "sheet name") continue;
      const std::string text = Unescaped(t.text);
      const double width = t.size * ConservativeWidthEm(text, t.cls != "sheet cell" && t.cls != "sheet");
      const bool middle = page.find("text-anchor=\"middle\">" + t.text + "<") != std::string::npos;
      const double left = middle ? t.x - width / 2.0 : t.x;
      EXPECT_GE(left, 40.0 - 1e-9);
      EXPECT_LE(left + width, kSheetWidth - 40.0 + 1e-6);
      EXPECT_GE(t.y - t.size, 40.0);
      EXPECT_LE(t.y + 0.25 * t.size, kSheetHeight - 40.0);
      if (text == aspect) ++drawnAspects;
      if (text.size() > 2 && text.front() == '(' && text.find(" more not shown)") != std::string::npos)
        notShown = std::stoul(text.substr(1));
    }
  }
  EXPECT_GT(drawnAspects, 50u);
  EXPECT_EQ(drawnAspects + notShown, 300u) << "every aspect line drawn or counted";
  EXPECT_GT(notShown, 0u);
}

}  // namespace
}  // namespace orbisca
