#pragma once

class QWidget;

namespace orbisca {

// Shows the About box modally over `parent`; the same box every time.
void ShowAboutBox(QWidget* parent);

}  // namespace orbisca
