#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "ui/colours.h"

class QAbstractScrollArea;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace orbisca::ui {

// Gives the widget a background and a text colour (all roles a widget paints
// its face and its text with), filled behind its children.
void Paint(QWidget* widget, const QColor& background, const QColor& text);

// Paper and ink of a text box, leaving its frame to the style.
void PaintPaper(QWidget* box);

// The mark of an option or check box drawn light on black, so the choice
// stands out on the dark grey frame.
void PaintMark(QWidget* control);

// A push button of the main windows: light blue, and not pressed by Enter
// from another control.
QPushButton* LightBlueButton(const QString& objectName, const QString& caption, QWidget* parent);

// The light-blue buttons' faces: the plain light blue with a navy outline, a
// white ring when focused, navy when pressed.
QString ButtonStyleSheet(const QFont& font);

// Tabs whose chosen one takes its page's light blue and joins the page, the
// others dark grey; the focused tab is ringed in white.
void StyleTabs(QTabWidget* tabs);

// The scroll bars of a box: a groove of the box's own background with a
// handle and arrows of three quarters its text colour, so that both stand out
// as clearly as the text does.
void StyleScrollBars(QAbstractScrollArea* area);

// A label that reads as a link: `font` underlined, in the link colour.
void StyleAsLink(QLabel* label, QFont font);

// The promotional lines of the windows' bands.
inline const QString kCommunityInvitation =
    QStringLiteral("Talk planets with fellow stargazers: join our online community. Click here!");
inline const QString kFullBrandOffer =
    QStringLiteral("Run a web site? Offer Orbisca under your own name and logo. Click here.");
inline const QString kCoBrandOffer =
    QStringLiteral("Share Orbisca with your visitors, co-branded with your site. Click here.");

}  // namespace orbisca::ui
