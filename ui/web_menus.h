#pragma once

#include <QString>

class QFrame;
class QMenuBar;
class QWidget;

namespace orbisca::ui {

// The names that differ between the windows' Help menus.
struct HelpMenuNames {
  QString updateCaption;    // the update item's caption, access key included
  QString firstSeparator;   // object names of the two separators
  QString secondSeparator;
};

// Adds the "&Help" menu (online help, home page, update check, About box),
// "&Donate" and the switched-off "Make Money &Online" to a window's menu bar.
void AddWebMenus(QMenuBar* bar, QWidget* window, const HelpMenuNames& names);

// The dark band across the top of the birth-data and results windows, with
// the label Label61 that invites the user to the maker's site.
QFrame* MakeCommunityStrip(QWidget* parent, const QString& frameName);

}  // namespace orbisca::ui
