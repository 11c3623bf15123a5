#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "report/chart_picture.h"
#include "run/chart.h"

class QBoxLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSvgWidget;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace orbisca::ui {

// The node and the dasha's year chosen on the Chart page, remembered across
// runs (QSettings); the mean node and the Julian year until one is chosen.
ChartOptions RememberedChartOptions();

// The picture's style chosen on the Chart page, remembered across runs; the
// South Indian until one is chosen.
ChartStyle RememberedChartStyle();

// The "Chart" page of the results window: the instant the positions were
// computed for, the birth particulars, the positions table with Rahu and
// Ketu, the Vimshottari dasha, the chart picture and the triangle of the 45
// pairs with the aspect found in each. The page's widgets are built
// when the tab is first shown: most runs never open it, and laying out its
// tables and picture would otherwise cost every "Proceed".
class ChartTab : public QWidget {
  Q_OBJECT

 public:
  explicit ChartTab(QWidget* parent = nullptr);

  // Shows the chart of a birth, the one the seven tabs show. A change of the
  // node or of the dasha's year computes the birth's chart again.
  void ShowChart(const Birth& birth, const Chart& chart, const QString& placeName = {});

  // Builds the page's widgets now, if not yet built: for whoever walks the
  // widgets before the tab was shown.
  void BuildContents();

  // The picture shown (the chosen varga in the chosen style) as SVG text, or
  // drawn as a PNG image `pixels` wide and as high as the drawing's
  // proportions make it; a PNG that cannot be made is empty and `reason` says
  // why.
  QByteArray PictureSvg() const;
  QByteArray PicturePng(int pixels, QString* reason = nullptr) const;

  // "Save Chart Sheet…": the sheet's pages as a PDF, written whole or not at
  // all; without the PDF module a message says so and nothing is asked or
  // written. "Print Chart Sheet…": the same pages through the print dialog.
  // Both do nothing before a chart is shown.
  void SaveChartSheet();
  void PrintChartSheet();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // A cell of the grid holding an aspect was clicked: that kind's tab.
  void kindChosen(int kindIndex);

 private:
  QWidget* BuildChoices();
  QWidget* BuildPositionsTable();
  QWidget* BuildDashaPanel();
  QWidget* BuildPicture();
  QWidget* BuildAspectGrid();
  void FillContents();
  void FillPositions(const Chart& chart);
  void FillDasha();
  QTreeWidgetItem* AddPeriod(QTreeWidgetItem* parent, const DashaPeriod& period,
                             const std::vector<const DashaPeriod*>& current, std::size_t depth);
  void OnChoice();
  void FillAspectGrid(const std::vector<AspectEntry>& aspects);
  void OnGridCell(int row, int column);
  // The picture as large as the page leaves room for, beside the tables when
  // the page is wide enough, under them when not; never smaller than makes
  // its smallest text the window's body font.
  void FitPicture();
  int SmallestPictureSide() const;
  void OnPictureChoice();  // a varga or a style chosen
  void DrawPicture();
  void ShowPicture();
  QString AskSavePath(const QString& filter, const QStringList& suffixes, const QString& proposedName);
  static std::optional<QString> WriteWhole(const QString& path, const QByteArray& bytes);
  void SavePicture();  // "Save Picture…" (cmdSavePicture)
  std::vector<std::string> SheetPages() const;

  static constexpr int kPngPixels = 800;  // twice the drawing's own size

  QScrollArea* scroll_ = nullptr;
  QBoxLayout* body_ = nullptr;  // the tables' column and the picture's
  QLabel* instantLabel_ = nullptr;
  QLabel* particularsLabel_ = nullptr;
  QComboBox* nodeChoice_ = nullptr;
  QComboBox* dashaYearChoice_ = nullptr;
  QComboBox* vargaChoice_ = nullptr;
  QComboBox* styleChoice_ = nullptr;
  QLabel* balanceLabel_ = nullptr;
  QTreeWidget* dashaTree_ = nullptr;
  QTableWidget* positionsTable_ = nullptr;
  QSvgWidget* pictureView_ = nullptr;
  QTableWidget* aspectGrid_ = nullptr;
  QWidget* choices_ = nullptr;         // the node's and the dasha year's
  QWidget* pictureChoices_ = nullptr;  // the varga's and the style's
  QWidget* pictureButtons_ = nullptr;
  // The chart shown, kept until the page is built.
  bool hasChart_ = false;
  Birth birth_;
  std::string placeName_;
  Chart chart_{};
  Varga varga_ = Varga::D1;
  ChartStyle style_ = ChartStyle::South;
  ChartPicture picture_;  // of the chosen varga
  std::string pictureSvg_;
  std::string localTimeLine_;  // the local time and the UTC offset the run used
};

}  // namespace orbisca::ui
