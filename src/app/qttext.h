// The program's texts are UTF-8 string views; Qt wants QString.
#pragma once

#include <QString>

#include <string_view>

namespace zorvane {

inline QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace zorvane
