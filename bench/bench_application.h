// The one QApplication of a benchmark that needs Qt: offscreen unless the
// environment names a platform.
#pragma once

#include <QApplication>

namespace bench {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace bench
