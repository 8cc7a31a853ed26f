// MainWindow, built from the window definition.
#pragma once

#include "windowdefinition.h"

#include <QWidget>

#include <functional>
#include <map>

namespace zorvane {

// Each control is a child named as in the window definition: QLabel for 标签1 and 图片框1,
// QFileDialog for 通用对话框1 and 通用对话框2, QPushButton for 按钮1.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(std::span<const ControlDefinition> definition = mainWindowDefinition);

    // From now on `procedure` runs whenever an event that the definition binds to `handler` happens;
    // until a handler is bound, its events do nothing.
    void bind(Handler handler, std::function<void()> procedure);

private:
    void addControl(const ControlDefinition& definition);
    // The window itself is the control that the definition's window entry creates.
    QWidget* createControl(const ControlDefinition& definition);
    void setUpWindow(const ControlDefinition& definition);
    void run(Handler handler) const;

    std::map<Handler, std::function<void()>> m_procedures;
};

}  // namespace zorvane
