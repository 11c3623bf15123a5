#pragma once

#include <string_view>

#include "aspects/aspect_kind.h"
#include "astro/body.h"

namespace orbisca {

// The interpretation paragraph of a pair of bodies in an aspect kind. The order
// of the two bodies does not matter; a body with itself gives the empty text.
std::string_view GetInterpretation(AspectKind kind, Body first, Body second);

}  // namespace orbisca
