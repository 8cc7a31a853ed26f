// Turns a file dialog's settings, written the Windows way, into what QFileDialog takes.
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

namespace zorvane {

// "description|pattern|description|pattern" to {"description (pattern)", ...}. Patterns that an
// entry separates with ';' are separated by spaces, as Qt wants; a description without its pattern
// at the end is left out.
QStringList qtNameFilters(std::string_view filter);

// "*.ico" to "ico": QFileDialog wants the default extension without wildcard or dot.
QString qtDefaultSuffix(std::string_view extensionPattern);

}  // namespace zorvane
