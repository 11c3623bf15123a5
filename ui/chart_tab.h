#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "run/chart_facts.h"

class QLabel;
class QPushButton;
class QSvgWidget;
class QTableWidget;

namespace orbisca::ui {

// The "Chart" page of the results window: the instant the positions were
// computed for, the positions table, the chart picture and the triangle of
// the 45 pairs with the aspect found in each.
class ChartTab : public QWidget {
  Q_OBJECT

 public:
  explicit ChartTab(QWidget* parent = nullptr);

  // Shows one chart. `aspects` is the list the seven tabs were written from.
  void ShowChart(const ChartInput& input, const ChartFacts& facts, const std::vector<AspectEntry>& aspects,
                 const QString& placeName = {});

  // The picture as SVG text, or drawn as a PNG image of `pixels` square.
  QByteArray PictureSvg() const;
  QByteArray PicturePng(int pixels) const;

 signals:
  // A cell of the grid holding an aspect was clicked: that kind's tab.
  void kindChosen(int kindIndex);

 private:
  QWidget* BuildPositionsTable();
  QWidget* BuildPicture();
  QWidget* BuildAspectGrid();
  void FillPositions(const ChartFacts& facts);
  void FillAspectGrid(const std::vector<AspectEntry>& aspects);
  void OnGridCell(int row, int column);
  QString AskPicturePath();
  void SavePicture();  // "Save Picture…" (cmdSavePicture)

  static constexpr int kPngPixels = 800;  // twice the drawing's own size

  QLabel* instantLabel_ = nullptr;
  QTableWidget* positionsTable_ = nullptr;
  QSvgWidget* pictureView_ = nullptr;
  QTableWidget* aspectGrid_ = nullptr;
  QPushButton* savePictureButton_ = nullptr;
  std::string pictureSvg_;
};

}  // namespace orbisca::ui
