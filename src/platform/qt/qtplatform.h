// The platform operations on the real main window, with Qt's dialogs and message boxes.
#pragma once

#include "platform.h"

class QFileDialog;
class QLabel;
class QWidget;

namespace zorvane {

class QtPlatform final : public Platform {
public:
    // Finds the controls among the window's children by their object names; throws std::logic_error
    // when one is missing, which only a broken window definition can cause.
    explicit QtPlatform(QWidget& window);

    bool showFileDialog(Control dialog) override;
    std::optional<std::string> getFileName(Control dialog) override;
    extraction::Result<void> extractIconToFile(const std::string& sourcePath, int iconNumber,
                                               const std::string& destinationPath,
                                               std::optional<int> sizePx) override;
    std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path) override;
    bool setPictureBytes(Control picture, const std::vector<std::uint8_t>& bytes) override;
    void showMessageBox(const std::string& message, std::uint32_t style, const std::string& title) override;

private:
    QFileDialog& fileDialog(Control dialog) const;
    QLabel& pictureBox(Control picture) const;

    QWidget& m_window;
    QFileDialog* m_fileDialog1;
    QFileDialog* m_fileDialog2;
    QLabel* m_pictureBox1;
};

} // namespace zorvane
