// Game text (CP1252) to and from QString, through the one conversion table the core has.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zunk {

QString FromCp1252(std::string_view text);
std::string ToCp1252(const QString& text);

}  // namespace zunk
