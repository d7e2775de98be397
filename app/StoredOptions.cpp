#include "app/StoredOptions.h"

#include <cstdlib>
#include <memory>

#include <QSettings>

namespace {

constexpr const char* kSmoothKey = "Volby/HladkeZmenseni";

std::unique_ptr<QSettings> OpenSettings() {
    if (const char* file = std::getenv("OBRAZOR_SETTINGS"); file && *file)
        return std::make_unique<QSettings>(QString::fromLocal8Bit(file), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Datalesk", "Obrazor");
}

}  // namespace

bool StoredSmoothReduction() { return OpenSettings()->value(kSmoothKey, false).toBool(); }

void StoreSmoothReduction(bool on) { OpenSettings()->setValue(kSmoothKey, on); }
