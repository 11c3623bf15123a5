#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace orbisca::ui {

// The program's colours.
inline const QColor kNavy(0, 0, 64);             // window background
inline const QColor kLightBlue(128, 128, 255);   // entry panel, name box, buttons
inline const QColor kDarkGrey(58, 58, 58);       // frames, lists, boxes, bands
inline const QColor kLavender(192, 192, 255);    // text on dark grey
inline const QColor kNameText(64, 64, 64);       // text of the name box

// Gives the widget a background and a text colour (all roles a widget paints
// its face and its text with), filled behind its children.
void Paint(QWidget* widget, const QColor& background, const QColor& text);

// The promotional lines of the windows' bands.
inline const QString kCommunityInvitation =
    QStringLiteral("Talk planets with fellow stargazers: join our online community. Click here!");
inline const QString kFullBrandOffer =
    QStringLiteral("Run a web site? Offer Orbisca under your own name and logo. Click here.");
inline const QString kCoBrandOffer =
    QStringLiteral("Share Orbisca with your visitors, co-branded with your site. Click here.");

}  // namespace orbisca::ui
