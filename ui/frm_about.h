#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QFrame;
class QPushButton;

namespace orbisca {
class WebPageLabel;
}

namespace orbisca::ui {

// The program's icon: a planet with its orbit and a second body on it.
QPixmap ProgramIconPixmap(int size);

// The About box: icon, title, description, the maker's address and the
// co-branding offer, and "OK".
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);

  QLabel* picIcon = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
  QFrame* Line1 = nullptr;
  WebPageLabel* lblHomePage = nullptr;
  QLabel* Label3 = nullptr;
  WebPageLabel* lblCoBrand = nullptr;
  QPushButton* cmdOK = nullptr;

  void cmdOK_Click();
};

// The description shown in the About box.
inline const QString kAboutDescription = QStringLiteral(
    "Orbisca calculates the angular distance or aspects between different planets. Each aspect is "
    "associated with different characteristics or attributes that are reflected in an individual's "
    "personality. Know what aspects are present in your natal chart with Orbisca software.");

}  // namespace orbisca::ui
