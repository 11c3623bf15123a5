#include "ui/place_completion.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLabel>
#include <QGridLayout>
#include <QLineEdit>
#include <QStandardItemModel>
#include <algorithm>
#include <cmath>

#include "places/atlas_loader.h"
#include "run/time_zones.h"
#include "ui/zone_from_place.h"

namespace orbisca::ui {
namespace {

constexpr int kMinimumLetters = 2;
constexpr int kMatchesShown = 12;
constexpr int kGeonameIdRole = Qt::UserRole + 1;

QString FromStd(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Degrees and minutes rounded to the minute, and the hemisphere: 0 for north
// or east, 1 for south or west.
void FillAngle(double degrees, QLineEdit* degBox, QLineEdit* minBox, QButtonGroup* hemisphere) {
  const long minutes = std::lround(std::abs(degrees) * 60.0);
  degBox->setText(QString::number(minutes / 60));
  minBox->setText(QString::number(minutes % 60));
  hemisphere->button(degrees < 0 ? 1 : 0)->setChecked(true);
}

}  // namespace

PlaceCompletion::PlaceCompletion(Fields fields, QWidget* parent)
    : QObject(parent),
      fields_(std::move(fields)),
      loader_(std::make_unique<places::AtlasLoader>(places::AtlasFilesIn(places::DefaultAtlasFolder()), [this] {
        // On the loading thread: hand the news to the window's thread.
        QMetaObject::invokeMethod(
            this,
            [this] {
              // Typed while loading: the list, unless the user has moved on.
              if (completeWhenLoaded_ && fields_.city->hasFocus()) Complete();
              completeWhenLoaded_ = false;
            },
            Qt::QueuedConnection);
        // A place chosen next needs its zone: open the tz database here, not
        // on the window's thread at the first look-up.
        places::PrepareZoneLookUp();
      })) {
  note_ = new QLabel(parent);
  note_->setObjectName(QStringLiteral("lblPlaceNote"));
  note_->setTextFormat(Qt::PlainText);
  note_->setWordWrap(true);
  note_->hide();

  matches_ = new QStandardItemModel(this);
  completer_ = new QCompleter(matches_, this);
  completer_->setWidget(fields_.city);
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(kMatchesShown);
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this, &PlaceCompletion::OnActivated);

  fields_.city->installEventFilter(this);
  connect(fields_.city, &QLineEdit::textEdited, this, &PlaceCompletion::OnCityEdited);
  for (QComboBox* list : fields_.dateAndTime) {
    connect(list, &QComboBox::currentIndexChanged, this, [this] {
      if (chosen_ && !zoneByHand_) WorkOutZone(true);
    });
  }
  connect(fields_.zone, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (settingZone_) return;
    // A design row picked by hand: the atlas's entry goes.
    if (index >= 0 && index < kTimeZoneCount) RemoveAtlasEntry();
    ZoneChangedByHand();
  });
  connect(fields_.dst, &QCheckBox::toggled, this, [this] {
    if (!settingZone_) ZoneChangedByHand();
  });
}

void PlaceCompletion::ZoneChangedByHand() {
  if (!chosen_) return;
  zoneByHand_ = true;
  refusal_.clear();
  ShowNoteText(tr("Zone set by hand"));
}

PlaceCompletion::~PlaceCompletion() = default;

bool PlaceCompletion::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fields_.city && event->type() == QEvent::FocusIn && !loader_->IsReady()) {
    loader_->Start();
    // Build the list's window while the atlas loads, not after.
    completer_->popup()->ensurePolished();
  }
  return QObject::eventFilter(watched, event);
}

void PlaceCompletion::OnCityEdited(const QString&) {
  // A place typed by hand is the user's: forget the chosen one and its note.
  if (chosen_) {
    chosen_.reset();
    zoneByHand_ = false;
    refusal_.clear();
    ShowNote({});
  }
  loader_->Start();
  completeWhenLoaded_ = !loader_->IsReady();
  if (!completeWhenLoaded_) Complete();
}

void PlaceCompletion::Complete() {
  const QString text = fields_.city->text();
  if (text.trimmed().size() < kMinimumLetters) {
    completer_->popup()->hide();
    return;
  }
  const places::AtlasLoad& load = loader_->Wait();
  if (!load.atlas) {
    if (!loadErrorShown_) ShowNoteText(tr("%1. Enter the place by hand.").arg(FromStd(load.error)));
    loadErrorShown_ = true;
    return;
  }
  matches_->clear();
  for (const places::Place* place : load.atlas->Search(text.toStdString(), kMatchesShown)) {
    auto* item = new QStandardItem(FromStd(places::DisplayName(*place)));
    item->setData(QVariant::fromValue<qint64>(place->geonameId), kGeonameIdRole);
    item->setEditable(false);
    matches_->appendRow(item);
  }
  if (matches_->rowCount() == 0) {
    completer_->popup()->hide();
    return;
  }
  // As wide as the longest "City, State, Country", not just the City box.
  QAbstractItemView* popup = completer_->popup();
  int widest = 0;
  for (int row = 0; row < matches_->rowCount(); ++row) {
    widest = std::max(widest, popup->fontMetrics().horizontalAdvance(matches_->item(row)->text()));
  }
  QRect under = fields_.city->rect();
  under.setWidth(std::max(under.width(), widest + popup->verticalScrollBar()->sizeHint().width() + 24));
  completer_->complete(under);
  emit completionsShown(matches_->rowCount());
}

void PlaceCompletion::OnActivated(const QModelIndex& index) {
  const places::AtlasLoad& load = loader_->Wait();
  if (!load.atlas) return;
  if (const places::Place* place = load.atlas->FindById(index.data(kGeonameIdRole).toLongLong())) Choose(*place);
}

void PlaceCompletion::Choose(const places::Place& place) {
  chosen_ = place;
  fields_.city->setText(FromStd(place.name));
  fields_.state->setText(FromStd(place.admin1Name));
  fields_.country->setText(FromStd(place.countryName));
  FillAngle(place.latitude, fields_.latDeg, fields_.latMin, fields_.latHemisphere);
  FillAngle(place.longitude, fields_.lonDeg, fields_.lonMin, fields_.lonHemisphere);
  WorkOutZone(false);
}

void PlaceCompletion::WorkOutZone(bool again) {
  zoneByHand_ = false;
  const ZoneSetting setting = ZoneSettingFor(*chosen_, fields_.localTime(), again);
  settingZone_ = true;
  if (!setting.atlasEntry.empty()) {
    SetAtlasEntry(FromStd(setting.atlasEntry), setting.atlasOffsetMinutes, FromStd(chosen_->timeZone));
    fields_.zone->setCurrentIndex(kTimeZoneCount);
  } else if (setting.row >= 0) {
    fields_.zone->setCurrentIndex(setting.row);
    RemoveAtlasEntry();
  }
  if (setting.dst) fields_.dst->setChecked(*setting.dst);
  settingZone_ = false;
  refusal_ = FromStd(setting.refusal);
  ShowNote(setting.note);
}

// The one entry after the design's rows, made or replaced.
void PlaceCompletion::SetAtlasEntry(const QString& text, int offsetMinutes, const QString& zoneName) {
  if (fields_.zone->count() <= kTimeZoneCount) fields_.zone->addItem(text);
  fields_.zone->setItemText(kTimeZoneCount, text);
  fields_.zone->setItemData(kTimeZoneCount, offsetMinutes, kZoneOffsetRole);
  fields_.zone->setItemData(kTimeZoneCount, zoneName, kZoneNameRole);
}

void PlaceCompletion::ShowSavedZone(std::optional<int> row, int offsetMinutes, const QString& zoneName) {
  chosen_.reset();
  zoneByHand_ = false;
  refusal_.clear();
  ShowNote({});
  settingZone_ = true;
  if (row) {
    fields_.zone->setCurrentIndex(*row);
    RemoveAtlasEntry();
  } else {
    SetAtlasEntry(FromStd(AtlasEntryText(offsetMinutes, zoneName.toStdString())), offsetMinutes, zoneName);
    fields_.zone->setCurrentIndex(kTimeZoneCount);
  }
  settingZone_ = false;
}

void PlaceCompletion::RemoveAtlasEntry() {
  if (fields_.zone->count() <= kTimeZoneCount) return;
  const bool wasSetting = settingZone_;
  settingZone_ = true;  // removing the entry is no choice of the user's
  fields_.zone->removeItem(kTimeZoneCount);
  settingZone_ = wasSetting;
}

void PlaceCompletion::ShowNote(const std::string& text) {
  ShowNoteText(FromStd(text));
}

void PlaceCompletion::ShowNoteText(const QString& text) {
  // A wrapped label does not make its window taller, so the window would
  // squeeze the rows above it: the label asks for the lines it needs at the
  // panel's width, and the window grows or shrinks by the difference.
  const auto* grid = qobject_cast<const QGridLayout*>(note_->parentWidget()->layout());
  const int spacing = grid ? grid->verticalSpacing() : 0;
  const int width = grid ? grid->contentsRect().width() : note_->parentWidget()->width();
  const int before = note_->isVisible() ? note_->minimumHeight() + spacing : 0;
  note_->setText(text);
  note_->setMinimumHeight(text.isEmpty() ? 0 : note_->heightForWidth(std::max(width, 1)));
  note_->setVisible(!text.isEmpty());
  const int after = note_->isVisible() ? note_->minimumHeight() + spacing : 0;
  QWidget* window = note_->window();
  if (window->isVisible() && after != before) {
    // Shrinking, the window's minimum comes down first (the window fits its
    // minimum to the content again once its layout has settled).
    if (after < before) window->setMinimumHeight(std::max(0, window->minimumHeight() - (before - after)));
    window->resize(window->width(), window->height() + after - before);
  }
}

}  // namespace orbisca::ui
