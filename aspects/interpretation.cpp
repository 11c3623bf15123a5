#include "aspects/interpretation.h"

#include "aspects/interpretation_table.h"

namespace orbisca {

std::string_view GetInterpretation(AspectKind kind, Body first, Body second) {
  const std::uint8_t row = GetInterpretationTable().grids[Index(kind)][Index(first)][Index(second)];
  if (row == kNoParagraph) return {};
  return GetInterpretationTable().paragraphs[row].text;
}

}  // namespace orbisca
