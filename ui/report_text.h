#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace orbisca::ui {

// The result and report texts are made by the engine as UTF-8 with CR LF line
// breaks; a text box holds them as paragraphs. These two functions are the
// only crossings between the two forms.

// The engine's text as a text box takes it: each CR LF one paragraph break.
QString ToShownText(std::string_view text);

// A text box's plain text in the engine's form: every line break (LF, CR or
// CR LF) as CR LF, UTF-8.
std::string FromShownText(const QString& text);

}  // namespace orbisca::ui
