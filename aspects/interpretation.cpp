#include "aspects/interpretation.h"

namespace orbisca {

// Placeholder until the paragraph table lands: no paragraph yet.
std::string_view GetInterpretation(AspectKind, Body, Body) { return {}; }

}  // namespace orbisca
