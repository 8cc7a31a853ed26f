// The extraction action, step by step, over the platform operations.
#include "actions/extractionaction.h"

#include "extraction/error.h"

#include <string>
#include <string_view>

namespace zorvane {
namespace {

constexpr std::string_view noticeTitle = "提示";
constexpr std::string_view succeededText = "提取成功";
constexpr std::string_view incompleteText = "请提供完整信息";
constexpr std::string_view failedText = "提取失败：";
constexpr std::string_view readBackFailedReason = "无法读回保存的文件";
constexpr std::string_view notAnImageReason = "保存的文件不是可以显示的图标";

constexpr int firstIcon = 0;

} // namespace

void ExtractionAction::onButton1Click()
{
    // 1-2. Ask for the executable, then for the destination; a cancelled dialog ends the run (9).
    if (!m_platform.showFileDialog(Control::FileDialog1) || !m_platform.showFileDialog(Control::FileDialog2)) {
        m_platform.showMessageBox(std::string(incompleteText), messagebox::iconWarning | messagebox::buttonsOk,
                                  std::string(noticeTitle));
        return;
    }

    // 3-5. Write the icon; the two paths live only as long as this call.
    {
        const std::string sourcePath = m_platform.getFileName(Control::FileDialog1).value_or("");
        const std::string destinationPath = m_platform.getFileName(Control::FileDialog2).value_or("");
        const auto written = m_platform.extractIconToFile(sourcePath, firstIcon, destinationPath, std::nullopt);
        if (!written) {
            reportFailure(extraction::describe(written.error()));
            return;
        }
    }

    // 6. Read the written file back.
    const auto icoBytes = m_platform.readFileBytes(m_platform.getFileName(Control::FileDialog2).value_or(""));
    if (!icoBytes || icoBytes->empty()) {
        reportFailure(readBackFailedReason);
        return;
    }

    // 7. Show it; only an icon that is really on screen counts as extracted.
    if (!m_platform.setPictureBytes(Control::PictureBox1, *icoBytes)) {
        reportFailure(notAnImageReason);
        return;
    }

    // 8.
    m_platform.showMessageBox(std::string(succeededText), messagebox::iconInformation | messagebox::buttonsOk,
                              std::string(noticeTitle));
}

void ExtractionAction::reportFailure(std::string_view reason)
{
    m_platform.showMessageBox(std::string(failedText).append(reason), messagebox::iconError | messagebox::buttonsOk,
                              std::string(noticeTitle));
}

} // namespace zorvane
