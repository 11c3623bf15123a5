#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "report/chart_picture.h"
#include "run/chart_facts.h"

class QBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace orbisca::ui {

// The "Chart" page of the results window: the instant the positions were
// computed for, the positions table, the chart picture and the triangle of
// the 45 pairs with the aspect found in each. The page's widgets are built
// when the tab is first shown: most runs never open it, and laying out its
// tables and picture would otherwise cost every "Proceed".
class ChartTab : public QWidget {
  Q_OBJECT

 public:
  explicit ChartTab(QWidget* parent = nullptr);

  // Shows one chart. `aspects` is the list the seven tabs were written from.
  void ShowChart(const ChartInput& input, const ChartFacts& facts, const std::vector<AspectEntry>& aspects,
                 const QString& placeName = {});

  // Builds the page's widgets now, if not yet built: for whoever walks the
  // widgets before the tab was shown.
  void BuildContents();

  // The picture as SVG text, or drawn as a PNG image of `pixels` square. The
  // drawing needs the picture module (ui/picture_module.h): without it the
  // PNG is empty and `reason` says why.
  QByteArray PictureSvg() const;
  QByteArray PicturePng(int pixels, QString* reason = nullptr) const;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // A cell of the grid holding an aspect was clicked: that kind's tab.
  void kindChosen(int kindIndex);

 private:
  QWidget* BuildPositionsTable();
  QWidget* BuildPicture();
  QWidget* BuildAspectGrid();
  void FillContents();
  void FillPositions(const ChartFacts& facts);
  void FillAspectGrid(const std::vector<AspectEntry>& aspects);
  void OnGridCell(int row, int column);
  // The picture as large as the page leaves room for, beside the tables when
  // the page is wide enough, under them when not; never smaller than makes
  // its smallest text the window's body font.
  void FitPicture();
  int SmallestPictureSide() const;
  QString AskPicturePath();
  void SavePicture();  // "Save Picture…" (cmdSavePicture)

  static constexpr int kPngPixels = 800;  // twice the drawing's own size

  QScrollArea* scroll_ = nullptr;
  QBoxLayout* body_ = nullptr;  // the tables' column and the picture's
  QLabel* instantLabel_ = nullptr;
  QTableWidget* positionsTable_ = nullptr;
  QWidget* pictureView_ = nullptr;  // made by the picture module; nullptr without it
  QTableWidget* aspectGrid_ = nullptr;
  QPushButton* savePictureButton_ = nullptr;
  // The chart shown, kept until the page is built.
  bool hasChart_ = false;
  ChartFacts facts_;
  std::vector<AspectEntry> aspects_;
  ChartPicture picture_;
  std::string pictureSvg_;
  std::string localTimeLine_;  // the local time and the UTC offset the run used
};

}  // namespace orbisca::ui
