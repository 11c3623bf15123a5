#include "ui/births_dialog.h"

#include <string.h>  // memmem
#include <sys/stat.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <numeric>
#include <tuple>
#include <unordered_map>

#include "ui/seams.h"

namespace orbisca::ui {
namespace {

QString FromStd(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString DateOf(const births::BirthSummary& s) {
  QString text = QStringLiteral("%1-%2-%3 %4:%5")
                     .arg(s.year, 4, 10, QLatin1Char('0'))
                     .arg(s.month, 2, 10, QLatin1Char('0'))
                     .arg(s.day, 2, 10, QLatin1Char('0'))
                     .arg(s.hour, 2, 10, QLatin1Char('0'))
                     .arg(s.minute, 2, 10, QLatin1Char('0'));
  if (s.second != 0) text += QStringLiteral(":%1").arg(s.second, 2, 10, QLatin1Char('0'));
  return text;
}

// The library keeps tags separated by ';'; the list shows "a; b".
QString TagsOf(const births::BirthSummary& s) { return FromStd(s.tags).replace(QLatin1Char(';'), QStringLiteral("; ")); }

// Appends the text as the list compares it, in UTF-8: ASCII letters in
// lower case and, past ASCII, case-folded without accents ("Émile" as
// "emile"), so that it sorts and is found as it reads. Plain ASCII, most
// names, skips Qt; a word past ASCII is folded once (`folds`).
void AppendFolded(std::string_view text, std::string& out, std::unordered_map<std::string, std::string>& folds) {
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    if (std::all_of(word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      for (const char c : word) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    } else {
      auto [at, added] = folds.try_emplace(std::string(word));
      if (added) {
        QString wide = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()))
                           .toCaseFolded()
                           .normalized(QString::NormalizationForm_D);
        wide.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
        at->second = wide.toStdString();
      }
      out += at->second;
    }
    if (space == std::string_view::npos) break;
    out += ' ';
    text.remove_prefix(space + 1);
  }
}

// How a summary is named to the user: "Name (1970-09-27)".
QString Naming(const births::BirthSummary& s) {
  return QStringLiteral("\u201C%1\u201D (%2)").arg(FromStd(s.name), DateOf(s).left(10));
}

// The list's keys: Enter opens the selected birth, Delete deletes it.
class BirthListView final : public QTableView {
 public:
  BirthListView(std::function<void()> open, std::function<void()> remove, QWidget* parent)
      : QTableView(parent), open_(std::move(open)), remove_(std::move(remove)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      open_();
    } else if (event->key() == Qt::Key_Delete) {
      remove_();
    } else {
      QTableView::keyPressEvent(event);
    }
  }

 private:
  std::function<void()> open_, remove_;
};

}  // namespace

QString BirthsCount(std::size_t count) {
  return count == 1 ? QObject::tr("1 birth") : QObject::tr("%1 births").arg(count);
}

QString LibraryMessage(const QString& action, const std::exception& error) {
  return QObject::tr("%1: %2.").arg(action, FromStd(error.what()));
}

std::string_view PreparedBirths::FoldedName(int i) const {
  const auto at = static_cast<std::size_t>(i);
  return std::string_view(keys).substr(keyStart[at], nameEnd[at] - keyStart[at]);
}

PreparedBirths PrepareBirths(std::vector<births::BirthSummary> summaries) {
  PreparedBirths p;
  p.summaries = std::move(summaries);
  const std::size_t count = p.summaries.size();
  p.keyStart.assign(count + 1, 0);
  p.nameEnd.assign(count, 0);
  // Words and places repeat from birth to birth: each one past ASCII is
  // folded once.
  std::unordered_map<std::string, std::string> folds;
  for (std::size_t i = 0; i < count; ++i) {
    const births::BirthSummary& s = p.summaries[i];
    p.keyStart[i] = p.keys.size();
    AppendFolded(s.name, p.keys, folds);
    p.nameEnd[i] = p.keys.size();
    p.keys += '\n';
    AppendFolded(s.place, p.keys, folds);
    p.keys += '\n';
    AppendFolded(s.tags, p.keys, folds);
    p.keys += '\0';
  }
  p.keyStart[count] = p.keys.size();
  // By name, then id.
  p.byName.resize(count);
  for (std::size_t i = 0; i < count; ++i) p.byName[i] = static_cast<int>(i);
  std::sort(p.byName.begin(), p.byName.end(), [&p](int a, int b) {
    const int c = p.FoldedName(a).compare(p.FoldedName(b));
    return c != 0 ? c < 0 : p.summaries[static_cast<std::size_t>(a)].id < p.summaries[static_cast<std::size_t>(b)].id;
  });
  return p;
}

LibraryStamp StampOf(const std::string& path) {
  LibraryStamp stamp;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) stamp.file = {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size};
  if (::stat((path + "-wal").c_str(), &st) == 0) stamp.wal = {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size};
  return stamp;
}

ReadBirths ReadLibraryBirths(const std::string& path) {
  ReadBirths read;
  read.stamp = StampOf(path);
  std::vector<births::BirthSummary> summaries;
  // No file yet: no births, and nothing is created for a look.
  if (read.stamp.file != LibraryStamp::Times{}) {
    summaries = births::Library(path, births::Access::Read).Summaries();
  }
  read.births = PrepareBirths(std::move(summaries));
  return read;
}

BirthListModel::BirthListModel(QObject* parent) : QAbstractTableModel(parent) {}

void BirthListModel::SetBirths(std::vector<births::BirthSummary> summaries) { SetBirths(PrepareBirths(std::move(summaries))); }

void BirthListModel::SetBirths(PreparedBirths births) {
  beginResetModel();
  data_ = std::move(births);
  FillSortKeys();
  SortOrder();
  Refilter();
  endResetModel();
}

void BirthListModel::FillSortKeys() {
  sortKeys_.clear();
  if (sortColumn_ != PlaceColumn && sortColumn_ != TagsColumn) return;
  sortKeys_.reserve(data_.summaries.size());
  std::unordered_map<std::string, std::string> folds;
  for (const births::BirthSummary& s : data_.summaries) {
    sortKeys_.emplace_back();
    AppendFolded(sortColumn_ == PlaceColumn ? s.place : s.tags, sortKeys_.back(), folds);
  }
}

bool BirthListModel::Less(int a, int b) const {
  const births::BirthSummary& x = data_.summaries[static_cast<std::size_t>(a)];
  const births::BirthSummary& y = data_.summaries[static_cast<std::size_t>(b)];
  if (sortColumn_ == DateColumn) {
    return std::tie(x.year, x.month, x.day, x.hour, x.minute, x.second, x.id) <
           std::tie(y.year, y.month, y.day, y.hour, y.minute, y.second, y.id);
  }
  if (const int c = sortKeys_[static_cast<std::size_t>(a)].compare(sortKeys_[static_cast<std::size_t>(b)]); c != 0) {
    return c < 0;
  }
  const int c = data_.FoldedName(a).compare(data_.FoldedName(b));
  return c != 0 ? c < 0 : x.id < y.id;
}

// Every birth in the order of the column; ties by name, then by id, so the
// order is the same at each sort.
void BirthListModel::SortOrder() {
  if (sortColumn_ == NameColumn) {
    order_ = data_.byName;
  } else {
    order_.resize(data_.summaries.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::sort(order_.begin(), order_.end(), [this](int a, int b) { return Less(a, b); });
  }
  if (sortOrder_ == Qt::DescendingOrder) std::reverse(order_.begin(), order_.end());
}

void BirthListModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= ColumnCount) return;
  beginResetModel();
  sortColumn_ = column;
  sortOrder_ = order;
  FillSortKeys();
  SortOrder();
  Refilter();
  endResetModel();
}

void BirthListModel::SetFilter(const QString& text) {
  std::string folded;
  std::unordered_map<std::string, std::string> folds;
  AppendFolded(text.trimmed().toStdString(), folded, folds);
  if (folded == filter_) return;
  // A longer text holding the last one keeps some of the births shown.
  const bool narrower = !filter_.empty() && folded.find(filter_) != std::string::npos;
  beginResetModel();
  filter_ = std::move(folded);
  Refilter(narrower);
  endResetModel();
}

// One search through all the keys, laid end to end: each match marks its
// birth (a match across two keys marks none), then the sorted order keeps
// the marked births. When few births are shown and the text grew, their
// keys alone are searched.
void BirthListModel::Refilter(bool narrower) {
  if (filter_.empty()) {
    shown_ = order_;
    return;
  }
  if (narrower && shown_.size() * 8 < data_.summaries.size()) {
    std::erase_if(shown_, [this](int i) {
      const auto at = static_cast<std::size_t>(i);
      const std::string_view key(data_.keys.data() + data_.keyStart[at], data_.keyStart[at + 1] - data_.keyStart[at]);
      return key.find(filter_) == std::string_view::npos;
    });
    return;
  }
  const std::string& keys = data_.keys;
  const std::vector<std::size_t>& start = data_.keyStart;
  std::vector<char> hit(data_.summaries.size(), 0);
  std::size_t from = 0, row = 0;
  while (const void* found = ::memmem(keys.data() + from, keys.size() - from, filter_.data(), filter_.size())) {
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - keys.data());
    while (start[row + 1] <= at) ++row;
    if (at + filter_.size() < start[row + 1]) {
      hit[row] = 1;
      from = start[row + 1];
    } else {
      from = at + 1;
    }
  }
  shown_.clear();
  for (int i : order_)
    if (hit[static_cast<std::size_t>(i)]) shown_.push_back(i);
}

int BirthListModel::RowOf(std::int64_t id) const {
  for (std::size_t row = 0; row < shown_.size(); ++row) {
    if (data_.summaries[static_cast<std::size_t>(shown_[row])].id == id) return static_cast<int>(row);
  }
  return -1;
}

int BirthListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int BirthListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BirthListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
    return {};
  }
  const births::BirthSummary& s = Summary(index.row());
  switch (index.column()) {
    case NameColumn: return FromStd(s.name);
    case DateColumn: return DateOf(s);
    case PlaceColumn: return FromStd(s.place);
    case TagsColumn: return TagsOf(s);
    default: return {};
  }
}

QVariant BirthListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case NameColumn: return tr("Name");
    case DateColumn: return tr("Date");
    case PlaceColumn: return tr("Place");
    case TagsColumn: return tr("Tags");
    default: return {};
  }
}

BirthsDialog::BirthsDialog(std::string libraryPath, std::optional<ReadBirths> read, QWidget* parent)
    : QDialog(parent), libraryPath_(std::move(libraryPath)), model_(this) {
  setObjectName(QStringLiteral("dlgBirths"));
  setWindowTitle(tr("Open Birth") + QStringLiteral(" \u2014 ") + kAppTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildSearchLine());
  layout->addWidget(BuildList(), 1);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("lblCount"));
  layout->addWidget(count_);
  layout->addWidget(BuildButtons());

  Reload(std::move(read));
  if (model_.rowCount() > 0) list_->setCurrentIndex(model_.index(0, 0));
  UpdateButtons();
  const QFontMetrics metrics = list_->fontMetrics();
  resize(metrics.averageCharWidth() * 110, metrics.height() * 30);
  search_->setFocus();
}

// The search box: it filters as the user types; Enter opens the selected
// (first matching) birth; Up and Down move through the list without leaving it.
QLayout* BirthsDialog::BuildSearchLine() {
  auto* searchLabel = new QLabel(tr("&Search:"), this);
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("txtSearch"));
  search_->setAccessibleName(tr("Search"));
  search_->setPlaceholderText(tr("Name, place or tag"));
  search_->setClearButtonEnabled(true);
  searchLabel->setBuddy(search_);
  auto* searchLine = new QHBoxLayout;
  searchLine->addWidget(searchLabel);
  searchLine->addWidget(search_, 1);
  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const std::optional<std::int64_t> selected = Selected();
    model_.SetFilter(text);
    if (selected && model_.RowOf(*selected) >= 0) {
      Select(*selected);
    } else if (model_.rowCount() > 0) {
      list_->setCurrentIndex(model_.index(0, 0));
    }
    UpdateButtons();
  });
  connect(search_, &QLineEdit::returnPressed, this, &BirthsDialog::OpenSelected);
  search_->installEventFilter(this);
  return searchLine;
}

QWidget* BirthsDialog::BuildList() {
  list_ = new BirthListView([this] { OpenSelected(); }, [this] { DeleteSelected(); }, this);
  list_->setObjectName(QStringLiteral("lstBirths"));
  list_->setAccessibleName(tr("Saved births"));
  // Rows of one fixed height, none measured on its own: 100,000 rows lay out at once.
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->setTabKeyNavigation(false);  // Tab leaves the list for the buttons
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setModel(&model_);
  list_->setSortingEnabled(true);
  list_->sortByColumn(BirthListModel::NameColumn, Qt::AscendingOrder);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->horizontalHeader()->setHighlightSections(false);
  const QFontMetrics metrics = list_->fontMetrics();
  list_->setColumnWidth(BirthListModel::NameColumn, metrics.averageCharWidth() * 28);
  list_->setColumnWidth(BirthListModel::DateColumn, metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00:00  ")));
  list_->setColumnWidth(BirthListModel::PlaceColumn, metrics.averageCharWidth() * 32);
  connect(list_, &QTableView::doubleClicked, this, &BirthsDialog::OpenSelected);
  connect(&model_, &QAbstractItemModel::modelReset, this, &BirthsDialog::UpdateButtons);
  return list_;
}

QWidget* BirthsDialog::BuildButtons() {
  auto* buttons = new QDialogButtonBox(this);
  open_ = buttons->addButton(tr("&Open"), QDialogButtonBox::AcceptRole);
  open_->setObjectName(QStringLiteral("cmdOpen"));
  open_->setToolTip(tr("Open the birth into the form, to chart or edit it"));
  edit_ = buttons->addButton(tr("&Edit\u2026"), QDialogButtonBox::ActionRole);
  edit_->setObjectName(QStringLiteral("cmdEdit"));
  edit_->setToolTip(tr("Edit the name, kind, tags, source and note"));
  duplicate_ = buttons->addButton(tr("D&uplicate"), QDialogButtonBox::ActionRole);
  duplicate_->setObjectName(QStringLiteral("cmdDuplicate"));
  delete_ = buttons->addButton(tr("&Delete"), QDialogButtonBox::DestructiveRole);
  delete_->setObjectName(QStringLiteral("cmdDelete"));
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setObjectName(QStringLiteral("cmdClose"));
  // open_ is pressed through OpenSelected only, so that accept() means a choice.
  disconnect(buttons, &QDialogButtonBox::accepted, nullptr, nullptr);
  connect(open_, &QPushButton::clicked, this, &BirthsDialog::OpenSelected);
  connect(edit_, &QPushButton::clicked, this, &BirthsDialog::EditSelected);
  connect(duplicate_, &QPushButton::clicked, this, &BirthsDialog::DuplicateSelected);
  connect(delete_, &QPushButton::clicked, this, &BirthsDialog::DeleteSelected);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  return buttons;
}

bool BirthsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == search_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      QCoreApplication::sendEvent(list_, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void BirthsDialog::Reload(std::optional<ReadBirths> read) {
  if (!read || !(read->stamp == StampOf(libraryPath_))) read = ReadLibraryBirths(libraryPath_);
  model_.SetBirths(std::move(read->births));
}

std::optional<std::int64_t> BirthsDialog::Selected() const {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid() || !list_->selectionModel()->isRowSelected(current.row(), {})) return std::nullopt;
  return model_.Summary(current.row()).id;
}

void BirthsDialog::Select(std::int64_t id) {
  const int row = model_.RowOf(id);
  if (row < 0) return;
  list_->setCurrentIndex(model_.index(row, 0));
  list_->scrollTo(model_.index(row, 0));
}

void BirthsDialog::UpdateButtons() {
  const bool selected = Selected().has_value();
  for (QPushButton* button : {open_, edit_, duplicate_, delete_}) button->setEnabled(selected);
  count_->setText(model_.rowCount() == model_.BirthCount()
                      ? BirthsCount(model_.BirthCount())
                      : tr("%1 of %2").arg(model_.rowCount()).arg(BirthsCount(model_.BirthCount())));
}

void BirthsDialog::OpenSelected() {
  if (const std::optional<std::int64_t> id = Selected()) {
    chosen_ = id;
    accept();
  }
}

void BirthsDialog::ShowError(const QString& action, const births::LibraryError& error) {
  Messages().Show(this, QMessageBox::Critical, LibraryMessage(action, error));
}

void BirthsDialog::EditSelected() {
  const std::optional<std::int64_t> id = Selected();
  if (!id) return;
  try {
    std::optional<births::SavedBirth> saved = births::Library(libraryPath_, births::Access::Read).Find(*id);
    if (!saved) {
      Reload();
      return;
    }
    BirthDetailsDialog details(std::move(*saved), this);
    Windows().Exec(details);
    if (details.result() != QDialog::Accepted) return;
    births::SavedBirth edited = details.Edited();
    if (!births::Library(libraryPath_, births::Access::Write).Replace(edited)) {
      Messages().Show(this, QMessageBox::Information, tr("The library no longer has this birth."));
    }
    Reload();
    Select(*id);
  } catch (const births::LibraryError& e) {
    ShowError(tr("The birth could not be changed"), e);
  }
}

BirthDetailsDialog::BirthDetailsDialog(births::SavedBirth saved, QWidget* parent)
    : QDialog(parent), saved_(std::move(saved)) {
  setObjectName(QStringLiteral("dlgBirthDetails"));
  setWindowTitle(tr("Edit Birth") + QStringLiteral(" \u2014 ") + kAppTitle);
  auto* form = new QFormLayout(this);
  const auto line = [&](const char* name, const QString& caption, const std::string& text) {
    auto* box = new QLineEdit(FromStd(text), this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    form->addRow(caption, box);
    return box;
  };
  name_ = line("txtDetailsName", tr("&Name:"), saved_.birth.name);
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("cboKind"));
  // In the order of births::Kind.
  kind_->addItems({tr("Not given"), tr("Male"), tr("Female"), tr("Event")});
  kind_->setCurrentIndex(static_cast<int>(saved_.kind));
  form->addRow(tr("&Kind:"), kind_);
  tags_ = line("txtTags", tr("&Tags:"), births::TagsText(saved_.tags));
  tags_->setText(tags_->text().replace(QLatin1Char(';'), QStringLiteral("; ")));
  tags_->setPlaceholderText(tr("family; clients"));
  source_ = line("txtSource", tr("&Source:"), saved_.source);
  note_ = new QPlainTextEdit(FromStd(saved_.note), this);
  note_->setObjectName(QStringLiteral("txtNote"));
  note_->setTabChangesFocus(true);
  form->addRow(tr("N&ote:"), note_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &BirthDetailsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

births::SavedBirth BirthDetailsDialog::Edited() const {
  births::SavedBirth edited = saved_;
  edited.birth.name = name_->text().toStdString();
  edited.kind = static_cast<births::Kind>(kind_->currentIndex());
  edited.tags = births::TagsFromText(tags_->text().toStdString());
  edited.source = source_->text().toStdString();
  edited.note = note_->toPlainText().toStdString();
  return edited;
}

void BirthDetailsDialog::accept() {
  QString refusal;
  if (name_->text().trimmed().isEmpty()) {
    refusal = tr("A saved birth needs a name.");
  } else if (const std::string why = births::CheckSaved(Edited()); !why.empty()) {
    refusal = tr("These details cannot be saved: %1.").arg(FromStd(why));
  }
  if (!refusal.isEmpty()) {
    Messages().Show(this, QMessageBox::Information, refusal);
    return;
  }
  QDialog::accept();
}

// The copy is a new birth of its own, named apart from the first.
void BirthsDialog::DuplicateSelected() {
  const std::optional<std::int64_t> id = Selected();
  if (!id) return;
  try {
    births::Library library(libraryPath_, births::Access::Write);
    std::optional<births::SavedBirth> saved = library.Find(*id);
    if (!saved) {
      Reload();
      return;
    }
    saved->id = 0;
    saved->birth.name += tr(" (copy)").toStdString();
    library.Add(*saved);
    Reload();
    Select(saved->id);
  } catch (const births::LibraryError& e) {
    ShowError(tr("The birth could not be duplicated"), e);
  }
}

void BirthsDialog::DeleteSelected() {
  const std::optional<std::int64_t> id = Selected();
  if (!id) return;
  const int row = list_->currentIndex().row();
  if (!Messages().Ask(this, tr("Delete the birth %1 from the library?").arg(Naming(model_.Summary(row))))) return;
  try {
    births::Library(libraryPath_, births::Access::Write).Remove(*id);
    Reload();
    if (model_.rowCount() > 0) list_->setCurrentIndex(model_.index(std::min(row, model_.rowCount() - 1), 0));
  } catch (const births::LibraryError& e) {
    ShowError(tr("The birth could not be deleted"), e);
  }
  UpdateButtons();
}

}  // namespace orbisca::ui
