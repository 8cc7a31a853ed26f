// The Windows message-box style word in Qt's terms.
#pragma once

#include <QMessageBox>

#include <cstdint>

namespace zorvane {

QMessageBox::Icon messageBoxIcon(std::uint32_t style);

} // namespace zorvane
