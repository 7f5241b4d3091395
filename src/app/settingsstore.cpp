#include "app/settingsstore.h"

#include <QSettings>
#include <QStringList>

#include "app/qtpaths.h"

namespace velmo {

std::vector<std::string> TSettingsRecentStore::Load() {
    QSettings settings("Orvane", "Velmo");
    std::vector<std::string> items;
    for (const QString& s : settings.value("MRU Items").toStringList()) items.push_back(PathFromQ(s));
    return items;
}

void TSettingsRecentStore::Save(const std::vector<std::string>& items) {
    QSettings settings("Orvane", "Velmo");
    QStringList list;
    for (const std::string& s : items) list << PathToQ(s);
    settings.setValue("MRU Items", list);
    settings.sync();
}

}  // namespace velmo
