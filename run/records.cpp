#include "run/records.h"

namespace orbisca {

ProgramRecords& Records() {
  static ProgramRecords records;
  return records;
}

}  // namespace orbisca
