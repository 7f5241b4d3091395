#pragma once
// File names between the core (bytes, as the system gives them) and Qt (text). A name
// goes through the system's file-name encoding, never as UTF-8 text, so that a name
// that is not valid UTF-8 opens the file it names.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace velmo {

inline QString PathToQ(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string PathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace velmo
