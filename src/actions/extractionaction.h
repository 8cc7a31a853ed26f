// The one action of the main window: take the icon out of an executable, save it and show it.
#pragma once

#include "platform.h"

#include <string_view>

namespace zorvane {

class ExtractionAction {
public:
    explicit ExtractionAction(Platform& platform) : m_platform(platform) {}

    // Bound to the click of 按钮1.
    void onButton1Click();

private:
    void reportFailure(std::string_view reason);

    Platform& m_platform;
};

} // namespace zorvane
