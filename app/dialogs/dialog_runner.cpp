#include "app/dialogs/dialog_runner.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>

#include "platform/ui/dialogs/qt_message_box.h"
#include "platform/ui/windows/window_placement.h"

namespace app {

std::function<int(QDialog&)>& dialogRunner() {
    static std::function<int(QDialog&)> runner = [](QDialog& d) { return d.exec(); };
    return runner;
}

int runModal(QDialog& dialog) {
    dialog.setResult(0);
    ui::keepAboveProgram(dialog);
    return dialogRunner()(dialog);
}

void fixDialogFrame(QDialog& dialog) {
    dialog.setWindowFlags((dialog.windowFlags() & Qt::WindowType_Mask) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.adjustSize();
    // Wide enough for the whole caption, whatever the contents need.
    QSize size = dialog.size().expandedTo(dialog.minimumSizeHint());
    size.setWidth(std::max(size.width(), ui::captionWidth(dialog.windowTitle())));
    dialog.setFixedSize(size);
}

void sizeNow(QWidget& control) {
    QResizeEvent sized(control.size(), QSize());
    QCoreApplication::sendEvent(&control, &sized);
}

void centreOn(QDialog& dialog, const QWidget* owner) {
    ui::centreOnOwner(dialog, owner);
}

}  // namespace app
