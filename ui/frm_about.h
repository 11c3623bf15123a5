#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLayout;
class QVBoxLayout;

namespace orbisca::ui {

// The program's icon: a planet with its orbit and a second body on it.
QPixmap ProgramIconPixmap(int size);

// The description shown in the About box.
inline const QString kAboutDescription = QStringLiteral(
    "Orbisca calculates the angular distance or aspects between different planets. Each aspect is "
    "associated with different characteristics or attributes that are reflected in an individual's "
    "personality. Know what aspects are present in your natal chart with Orbisca software.");

// frmAbout, the About box: icon, title, description, the maker's address and
// the co-branding offer, and "OK".
class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit FrmAbout(QWidget* parent = nullptr);

 private:
  QLayout* BuildTitleLine();
  void AddTexts(QVBoxLayout* layout);
  QLayout* BuildButtonLine();
};

// Shows the About box modally over `parent`: one box for the program,
// created on first use and kept between showings.
void ShowAboutBox(QWidget* parent);

}  // namespace orbisca::ui
