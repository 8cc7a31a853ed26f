// Mapping the icon bits of a Windows message-box style word to Qt's icons.
#include "qt/messageboxstyle.h"

#include "platform.h"

namespace zorvane {

QMessageBox::Icon messageBoxIcon(std::uint32_t style)
{
    switch (style & messagebox::iconMask) {
    case messagebox::iconError: return QMessageBox::Critical;
    case messagebox::iconQuestion: return QMessageBox::Question;
    case messagebox::iconWarning: return QMessageBox::Warning;
    case messagebox::iconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace zorvane
