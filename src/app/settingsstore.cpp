#include "app/settingsstore.h"

#include <QSettings>
#include <QStringList>

namespace velmo {


std::vector<std::string> TSettingsRecentStore::Load() {
    QSettings settings("Orvane", "Velmo");
    std::vector<std::string> items;
    for (const QString& s : settings.value("MRU Items").toStringList()) items.push_back(s.toStdString());
    return items;
}

void TSettingsRecentStore::Save(const std::vector<std::string>& items) {
    QSettings settings("Orvane", "Velmo");
    QStringList list;
    for (const std::string& s : items) list << QString::fromStdString(s);
    settings.setValue("MRU Items", list);
    settings.sync();
}

}  // namespace velmo
