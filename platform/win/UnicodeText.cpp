#include "platform/win/UnicodeText.h"

#include <QString>

namespace win {

std::string ToLower(const std::string& text) { return QString::fromStdString(text).toLower().toStdString(); }
std::string ToUpper(const std::string& text) { return QString::fromStdString(text).toUpper().toStdString(); }
std::string Trim(const std::string& text) { return QString::fromStdString(text).trimmed().toStdString(); }
int TextLength(const std::string& text) { return int(QString::fromStdString(text).size()); }

} // namespace win
