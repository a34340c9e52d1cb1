#include "core/Startup.h"

#include "core/Defaults.h"
#include "core/Models.h"
#include "core/Tones.h"

namespace nv {

void initialiseGlobals(AppState& s) {
    s.VersionText = Version;
    s.LanguageChinese = false;
}

void buildTables(AppState& s) {
    s.ModelIndex = 1;
    buildToneTables(s);
    buildModelTable(s);
}

void buildDefaults(AppState& s) {
    buildDefaultImage(s);
    buildDefaultAdjustImage(s.AdjustImage);
}

}  // namespace nv
