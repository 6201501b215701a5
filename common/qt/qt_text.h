#pragma once
// Texts cross into Qt here: the suite's texts are 8-bit Windows-1252, paths are the platform's bytes.
#include <QString>
#include <string>
#include <string_view>

namespace km {

QString FromCp1252(std::string_view text);
std::string ToCp1252(const QString& text);

// Paths as the file system names them (UTF-8 here).
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace km
