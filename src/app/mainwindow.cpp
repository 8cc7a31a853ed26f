// MainWindow, built from the window definition.
#include "mainwindow.h"

#include "filedialogsettings.h"
#include "qttext.h"

#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <string_view>
#include <utility>

namespace zorvane {

namespace {

QRect qtRect(const Geometry& geometry)
{
    return {geometry.left, geometry.top, geometry.width, geometry.height};
}

QFileDialog* createFileDialog(const ControlDefinition& definition, QFileDialog::AcceptMode mode,
                              QWidget* window)
{
    auto* dialog = new QFileDialog(window, qtText(definition.title));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setNameFilters(qtNameFilters(definition.filter));
    dialog->setDefaultSuffix(qtDefaultSuffix(definition.furtherText));
    return dialog;
}

// The Chinese font that the program is installed with, ahead of whatever the system would pick:
// the fixed layout is measured for a scalable font, and a bitmap one keeps its size when asked
// for a smaller caption.
constexpr std::string_view chineseFont = "WenQuanYi Micro Hei";

// Below this a caption is no longer comfortable to read; it is then left to be cut off instead.
constexpr int smallestCaptionPixelSize = 9;

bool captionFits(const QPushButton& button, const QFont& font)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.fontMetrics = QFontMetrics(font);
    option.text = button.text();
    const QSize caption = option.fontMetrics.size(Qt::TextShowMnemonic, option.text);
    return button.style()->sizeFromContents(QStyle::CT_PushButton, &option, caption, &button).width()
           <= button.width();
}

// The button keeps its size, so a caption too wide for it in the default font gets a smaller one.
void fitCaption(QPushButton& button)
{
    QFont font = button.font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    while (!captionFits(button, font) && font.pixelSize() > smallestCaptionPixelSize) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    button.setFont(font);
}

}  // namespace

MainWindow::MainWindow(std::span<const ControlDefinition> definition)
{
    for (const ControlDefinition& entry : definition) {
        addControl(entry);
    }
}

void MainWindow::bind(Handler handler, std::function<void()> procedure)
{
    m_procedures[handler] = std::move(procedure);
}

void MainWindow::setUpWindow(const ControlDefinition& definition)
{
    setWindowTitle(qtText(definition.caption));
    setWindowIcon(QIcon(qtText(definition.icon)));
    QFont chinese = font();
    chinese.setFamilies({qtText(chineseFont), chinese.family()});
    setFont(chinese);
    // A fixed layout: the window can be neither resized nor maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    if (definition.geometry) {
        setFixedSize(definition.geometry->width, definition.geometry->height);
    }
}

void MainWindow::addControl(const ControlDefinition& definition)
{
    QWidget* control = createControl(definition);
    control->setObjectName(qtText(definition.name));
    if (definition.geometry) {
        control->setGeometry(qtRect(*definition.geometry));
    }
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        fitCaption(*button);
    }
    if (definition.takesFocus) {
        control->setFocusPolicy(*definition.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    }
    // Controls on the window show with it; the dialogs are windows of their own and stay hidden
    // until they are run.
    if (!definition.shownAtRunTime) {
        control->hide();
    }
}

QWidget* MainWindow::createControl(const ControlDefinition& definition)
{
    switch (definition.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(qtText(definition.text), this);
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    case ControlKind::PictureBox: {
        auto* pictureBox = new QLabel(this);
        pictureBox->setAlignment(Qt::AlignCenter);
        pictureBox->setPixmap(QPixmap(qtText(definition.picture)));
        return pictureBox;
    }
    case ControlKind::OpenFileDialog:
        return createFileDialog(definition, QFileDialog::AcceptOpen, this);
    case ControlKind::SaveFileDialog:
        return createFileDialog(definition, QFileDialog::AcceptSave, this);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(qtText(definition.caption), this);
        for (const EventBinding& binding : definition.boundEvents) {
            if (binding.event == Event::Clicked) {
                connect(button, &QPushButton::clicked, this,
                        [this, handler = binding.handler] { run(handler); });
            }
        }
        return button;
    }
    case ControlKind::Window:
        break;
    }
    setUpWindow(definition);
    return this;
}

void MainWindow::run(Handler handler) const
{
    if (const auto found = m_procedures.find(handler); found != m_procedures.end() && found->second) {
        found->second();
    }
}

}  // namespace zorvane
