#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "births/library.h"

class QComboBox;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QLineEdit;
class QPushButton;
class QTableView;

namespace orbisca::ui {

// The births of a library made ready for the list, on any thread: each
// birth's name, place and tags folded (ASCII letters in lower case, accents
// and case folded past ASCII) and laid end to end, "name\nplace\ntags\0"
// from keyStart[i], the name up to nameEnd[i]; and the births by name.
struct PreparedBirths {
  std::vector<births::BirthSummary> summaries;
  std::string keys;
  std::vector<std::size_t> keyStart, nameEnd;
  std::vector<int> byName;  // by folded name, then id
  std::string_view FoldedName(int i) const;
};
PreparedBirths PrepareBirths(std::vector<births::BirthSummary> summaries);

// The library file and its write-ahead log as they stand: any change by
// either program changes one of them.
struct LibraryStamp {
  struct Times {
    std::int64_t seconds = -1, nanoseconds = 0, size = 0;
    bool operator==(const Times&) const = default;
  };
  Times file, wal;
  bool operator==(const LibraryStamp&) const = default;
};
LibraryStamp StampOf(const std::string& path);

// A library's births, prepared, with the stamp the library had before they
// were read; a missing file has none. Throws births::LibraryError.
struct ReadBirths {
  PreparedBirths births;
  LibraryStamp stamp;
};
ReadBirths ReadLibraryBirths(const std::string& path);

// The births of the library as a table: name, date, place and tags. It keeps
// the summaries, a folded search key and the sorted order of each; a filter
// keeps the rows whose key holds the typed text, in the current order. No
// widget or item per row, so 100,000 births list and filter at typing speed.
class BirthListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { NameColumn, DateColumn, PlaceColumn, TagsColumn, ColumnCount };

  explicit BirthListModel(QObject* parent = nullptr);

  void SetBirths(PreparedBirths births);
  void SetBirths(std::vector<births::BirthSummary> summaries);
  // Keeps the rows whose name, place or tags hold `text`, in any case.
  void SetFilter(const QString& text);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  const births::BirthSummary& Summary(int row) const {
    return data_.summaries[static_cast<std::size_t>(shown_[row])];
  }
  // The row that shows the birth, or -1.
  int RowOf(std::int64_t id) const;
  // How many births the library has, shown or not.
  int BirthCount() const { return static_cast<int>(data_.summaries.size()); }

 private:
  void Refilter(bool narrower = false);
  bool Less(int a, int b) const;
  void FillSortKeys();
  void SortOrder();

  PreparedBirths data_;
  std::vector<std::string> sortKeys_;  // the place or the tags, folded, while sorted by them
  std::vector<int> order_;      // every birth, sorted
  std::vector<int> shown_;      // the births that pass the filter, sorted
  std::string filter_;  // folded
  int sortColumn_ = NameColumn;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

// "Edit…" in the list of births: what the library keeps beside the birth
// data (the name, kind, tags, source and note), for the birth given. The
// date, time and place are edited in the form.
class BirthDetailsDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit BirthDetailsDialog(births::SavedBirth saved, QWidget* parent = nullptr);
  // The birth with the details as entered.
  births::SavedBirth Edited() const;
  // Accepts details the library can keep; otherwise says why and stays open.
  void accept() override;

 private:
  births::SavedBirth saved_;
  QLineEdit* name_ = nullptr;
  QComboBox* kind_ = nullptr;
  QLineEdit* tags_ = nullptr;
  QLineEdit* source_ = nullptr;
  QPlainTextEdit* note_ = nullptr;
};

// "Open Birth…": the library's births, filtered as the user types in the
// search box and sorted by any column. Enter, a double click or "Open" opens
// the selected birth into the form (Chosen() tells which); "Edit…" (its
// details), "Duplicate" and "Delete" change the library at once, Delete after
// a confirmation that names the birth.
class BirthsDialog final : public QDialog {
  Q_OBJECT

 public:
  // Lists the births of the library at `libraryPath`: `read` when the
  // library is still as it was read, else read again now. Throws
  // births::LibraryError when the library cannot be read.
  BirthsDialog(std::string libraryPath, std::optional<ReadBirths> read = std::nullopt, QWidget* parent = nullptr);

  // The birth to open once the dialog is closed, if one was chosen.
  std::optional<std::int64_t> Chosen() const { return chosen_; }
  // The selected birth, if any.
  std::optional<std::int64_t> Selected() const;
  // Selects the birth's row, if shown.
  void Select(std::int64_t id);

  BirthListModel& Model() { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLayout* BuildSearchLine();
  QWidget* BuildList();
  QWidget* BuildButtons();
  void Reload(std::optional<ReadBirths> read = std::nullopt);
  void OpenSelected();
  void EditSelected();
  void DuplicateSelected();
  void DeleteSelected();
  void UpdateButtons();
  void ShowError(const QString& action, const births::LibraryError& error);

  std::string libraryPath_;
  BirthListModel model_;
  QLineEdit* search_ = nullptr;
  QTableView* list_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* duplicate_ = nullptr;
  QPushButton* delete_ = nullptr;
  std::optional<std::int64_t> chosen_;
};

// A library error as the windows say it: "action: reason.".
QString LibraryMessage(const QString& action, const std::exception& error);

// "1 birth", "2 births".
QString BirthsCount(std::size_t count);

}  // namespace orbisca::ui
