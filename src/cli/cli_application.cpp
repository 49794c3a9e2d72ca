#include "cli/cli_application.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>

namespace kalvora::cli {

bool EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return qGuiApp != nullptr;
    // No window is ever shown; the offscreen platform needs no display and has fixed metrics.
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static int argc = 1;
    static char name[] = "kalvora-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    (void)application;
    return true;
}

}  // namespace kalvora::cli
