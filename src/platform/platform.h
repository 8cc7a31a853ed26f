// The operations the extraction action asks of the desktop: dialogs, the picture box, files, message boxes.
#pragma once

#include "extraction/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvane {

// The controls of the main window that the action addresses.
enum class Control {
    FileDialog1,  // 通用对话框1: open an executable
    FileDialog2,  // 通用对话框2: save the .ico file
    PictureBox1,  // 图片框1
};

// The Windows message-box style word: the icon in bits 4-7, the buttons in bits 0-3.  A box reports no
// answer, so the only buttons it has are a single OK.
namespace messagebox {
inline constexpr std::uint32_t iconMask = 0xF0;
inline constexpr std::uint32_t iconError = 0x10;
inline constexpr std::uint32_t iconQuestion = 0x20;
inline constexpr std::uint32_t iconWarning = 0x30;
inline constexpr std::uint32_t iconInformation = 0x40;
inline constexpr std::uint32_t buttonsOk = 0x0;
} // namespace messagebox

// Paths are in the operating system's own encoding, exactly as it gives them; every call is modal and
// returns only when it is done.
class Platform {
public:
    virtual ~Platform() = default;

    // Runs the dialog; true when the user confirmed a file.
    virtual bool showFileDialog(Control dialog) = 0;
    // The file confirmed in the dialog, if any.
    virtual std::optional<std::string> getFileName(Control dialog) = 0;
    // sizePx: see extraction::extractIconToFile.
    virtual extraction::Result<void> extractIconToFile(const std::string& sourcePath, int iconNumber,
                                                       const std::string& destinationPath,
                                                       std::optional<int> sizePx) = 0;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path) = 0;
    // Shows the image from a copy of the bytes; false, leaving the picture as it was, when they are no image.
    virtual bool setPictureBytes(Control picture, const std::vector<std::uint8_t>& bytes) = 0;
    virtual void showMessageBox(const std::string& message, std::uint32_t style, const std::string& title) = 0;
};

} // namespace zorvane
