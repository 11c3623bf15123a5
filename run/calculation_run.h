#pragma once

#include <vector>

#include "aspects/aspects.h"
#include "aspects/results_sink.h"
#include "run/birth_entries.h"
#include "run/chart_input.h"

namespace orbisca {

// What the run needs of the birth-data window.
class BirthDataView {
 public:
  virtual ~BirthDataView() = default;
  virtual BirthEntries Entries() const = 0;
  // Shows the refusal's message (modal, with its icon) and moves the focus.
  virtual void Refuse(const EntryRefusal& refusal) = 0;
  // The results window's boxes and covers, creating the window if need be.
  virtual ResultsSink& Results() = 0;
  // Shows the results window (not modal) and hides the form, entries intact.
  virtual void ShowResults() = 0;
  // The chart behind the results: the record of the run and the aspects the
  // result boxes were written from. A view without a chart page ignores it.
  virtual void ShowChart(const ChartInput& /*input*/, const std::vector<AspectEntry>& /*aspects*/) {}
};

// Fills the record from the entries in the fixed order. Each field is its own
// step: a text that does not convert leaves that field as it was. A degree box
// is read as its check reads it (DegreesValue).
void FillChartInput(const BirthEntries& entries, ChartInput& record);

// The run behind "Proceed": check the entries (on a refusal nothing changes),
// fill the program's ChartInput, compute the sidereal shift, the Moon, the
// planets and the aspects, then show the results. Returns false on a refusal.
bool RunChart(BirthDataView& view);

}  // namespace orbisca
