#include "SavedSettings.h"

#include "app/Unit1.h"
#include "store/Records.h"
#include "store/Table.h"

namespace game {

namespace {
bool isYes(TForm1& form, int field) { return form.Table2().text(field) == QLatin1String("Yes"); }
} // namespace

bool gameLocationSaved(TForm1& form) { return isYes(form, store::ConfigRecord::ConfigSaved); }
bool extraProgramSaved(TForm1& form) { return isYes(form, store::ConfigRecord::ExtraConfigSaved); }

} // namespace game
