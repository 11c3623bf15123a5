#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "places/atlas.h"
#include "places/zone_facts.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;

namespace orbisca::places {
class AtlasLoader;
}

namespace orbisca::ui {

// The role of the zone list's extra entry (after the design's rows) that
// holds the atlas's offset in minutes east; the rows have none.
inline constexpr int kZoneOffsetRole = Qt::UserRole + 2;
// The same entry's IANA zone name ("Asia/Kathmandu"), empty when unknown.
inline constexpr int kZoneNameRole = Qt::UserRole + 3;

// Completes the City box of the birth-data window from the offline atlas and,
// when a place is chosen, fills the place, its coordinates, the zone and
// daylight saving, with a note under the place row that says what was set.
// The atlas loads on a thread of its own from the first time the City box
// takes the focus, so start-up does not wait for it.
class PlaceCompletion : public QObject {
  Q_OBJECT

 public:
  // The window's boxes that a chosen place fills, and its local date and time.
  struct Fields {
    QLineEdit* city = nullptr;
    QLineEdit* state = nullptr;
    QLineEdit* country = nullptr;
    QLineEdit* latDeg = nullptr;
    QLineEdit* latMin = nullptr;
    QButtonGroup* latHemisphere = nullptr;  // 0 North, 1 South
    QLineEdit* lonDeg = nullptr;
    QLineEdit* lonMin = nullptr;
    QButtonGroup* lonHemisphere = nullptr;  // 0 East, 1 West
    QComboBox* zone = nullptr;
    QCheckBox* dst = nullptr;
    QList<QComboBox*> dateAndTime;  // a change works the zone out again
    std::function<places::LocalDateTime()> localTime;
  };

  // Reads the atlas from places::DefaultAtlasFolder().
  PlaceCompletion(Fields fields, QWidget* parent);
  ~PlaceCompletion() override;

  // The note under the place row ("lblPlaceNote"), for the window to lay out.
  QLabel* Note() const { return note_; }

  // Why Proceed must refuse the entries as they stand (a local time the
  // clocks skipped at the chosen place); empty when nothing stands in the way.
  QString Refusal() const { return refusal_; }

  // The place chosen from the atlas, while the place boxes still show it.
  const std::optional<places::Place>& Chosen() const { return chosen_; }

  // Shows a saved birth's zone as it was saved: no place is chosen, so
  // nothing is worked out again, and the note goes. With an offset, the
  // atlas's entry carries it (and its zone name) and is selected; with a row,
  // the row is selected.
  void ShowSavedZone(std::optional<int> row, int offsetMinutes, const QString& zoneName);

 signals:
  // The list of places is on screen for the City box's text.
  void completionsShown(int count);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnCityEdited(const QString& text);
  void Complete();
  void OnActivated(const QModelIndex& index);
  void Choose(const places::Place& place);
  void WorkOutZone(bool again);
  void SetAtlasEntry(const QString& text, int offsetMinutes, const QString& zoneName);
  void RemoveAtlasEntry();
  void ZoneChangedByHand();
  void ShowNote(const std::string& text);
  void ShowNoteText(const QString& text);

  Fields fields_;
  QLabel* note_ = nullptr;
  QCompleter* completer_ = nullptr;
  QStandardItemModel* matches_ = nullptr;
  bool completeWhenLoaded_ = false;
  std::unique_ptr<places::AtlasLoader> loader_;
  std::optional<places::Place> chosen_;
  bool loadErrorShown_ = false;
  // The zone and box are being set from the place, not by the user.
  bool settingZone_ = false;
  // The user changed the zone or the box after choosing the place: that
  // choice holds until a place is chosen again.
  bool zoneByHand_ = false;
  QString refusal_;
};

}  // namespace orbisca::ui
