// The platform operations in Qt: modal dialogs and boxes on the main window, files in their native encoding.
#include "qt/qtplatform.h"

#include "extraction/extraction.h"
#include "qt/messageboxstyle.h"
#include "qt/picture.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace zorvane {
namespace {

// Far beyond any icon file, and small enough to allocate without a second thought.
constexpr std::uintmax_t maxFileBytes = 64 * 1024 * 1024;

template <typename Widget>
Widget* findControl(QWidget& window, const char* objectName)
{
    auto* control = window.findChild<Widget*>(QString::fromUtf8(objectName));
    if (!control)
        throw std::logic_error(std::string("the main window has no control ") + objectName);
    return control;
}

} // namespace

QtPlatform::QtPlatform(QWidget& window)
    : m_window(window),
      m_fileDialog1(findControl<QFileDialog>(window, "通用对话框1")),
      m_fileDialog2(findControl<QFileDialog>(window, "通用对话框2")),
      m_pictureBox1(findControl<QLabel>(window, "图片框1"))
{
}

bool QtPlatform::showFileDialog(Control dialog)
{
    return fileDialog(dialog).exec() == QDialog::Accepted;
}

std::optional<std::string> QtPlatform::getFileName(Control dialog)
{
    const QStringList files = fileDialog(dialog).selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return QFile::encodeName(files.first()).toStdString();
}

extraction::Result<void> QtPlatform::extractIconToFile(const std::string& sourcePath, int iconNumber,
                                                       const std::string& destinationPath,
                                                       std::optional<int> sizePx)
{
    return extraction::extractIconToFile(sourcePath, iconNumber, destinationPath, sizePx);
}

std::optional<std::vector<std::uint8_t>> QtPlatform::readFileBytes(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > maxFileBytes)
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file || file.peek() != std::ifstream::traits_type::eof())
        return std::nullopt;
    return bytes;
}

bool QtPlatform::setPictureBytes(Control picture, const std::vector<std::uint8_t>& bytes)
{
    QLabel& box = pictureBox(picture);
    const QImage image = pictureForBox(bytes, box.contentsRect().size());
    if (image.isNull())
        return false;
    box.setPixmap(QPixmap::fromImage(image));
    return true;
}

void QtPlatform::showMessageBox(const std::string& message, std::uint32_t style, const std::string& title)
{
    QMessageBox box(messageBoxIcon(style), QString::fromStdString(title), QString::fromStdString(message),
                    QMessageBox::Ok, &m_window);
    box.exec();
}

QFileDialog& QtPlatform::fileDialog(Control dialog) const
{
    switch (dialog) {
    case Control::FileDialog1: return *m_fileDialog1;
    case Control::FileDialog2: return *m_fileDialog2;
    case Control::PictureBox1: break;
    }
    throw std::logic_error("not a file dialog");
}

QLabel& QtPlatform::pictureBox(Control picture) const
{
    if (picture != Control::PictureBox1)
        throw std::logic_error("not a picture box");
    return *m_pictureBox1;
}

} // namespace zorvane
