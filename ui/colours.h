#pragma once

#include <QColor>

namespace orbisca::ui {

// The program's colours, every one the windows paint with.
inline const QColor kNavy(0, 0, 64);             // window background
inline const QColor kOnNavy(255, 255, 255);      // text on the window background
inline const QColor kLightBlue(128, 128, 255);   // entry panel, name box, buttons, tab pages
inline const QColor kDarkGrey(58, 58, 58);       // frames, lists, boxes, bands
inline const QColor kLavender(192, 192, 255);    // text on dark grey
inline const QColor kNameText(64, 64, 64);       // text of the name box
inline const QColor kLinkBlue(0, 0, 192);        // link labels on the dialogs' light face
inline const QColor kPaper(255, 255, 255);       // result boxes
inline const QColor kInk(0, 0, 0);               // text on light blue and on paper
inline const QColor kMarkFace(0, 0, 0);          // the mark of option and check boxes
inline const QColor kMarkInk(255, 255, 255);
// The states and indicators drawn over those surfaces. Each is chosen for at
// least 3:1 contrast (the non-text contrast rule) with what it sits on.
inline const QColor kButtonEdge(0, 0, 64);        // a button's outline: 6:1 on light blue
inline const QColor kFocusRing(255, 255, 255);    // 3.3:1 on light blue, 11:1 on dark grey
inline const QColor kPressedFace(0, 0, 64);       // 6:1 against the resting face
inline const QColor kPressedText(255, 255, 255);
inline const QColor kTabFace(58, 58, 58);         // the tabs not chosen: 3.5:1 against the chosen one
inline const QColor kTabText(192, 192, 255);

// The WCAG 2 contrast ratio of two sRGB colours, from 1:1 (the same
// luminance) to 21:1 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace orbisca::ui
