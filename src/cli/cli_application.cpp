#include "cli/cli_application.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

namespace kalvora::cli {
namespace {

QtMessageHandler previousHandler = nullptr;

// Qt's note that a batch run has no runtime folder of the session says nothing about the
// verb's work; a script would read it as a fault. Everything else goes on as before.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (previousHandler != nullptr) previousHandler(type, context, message);
}

}  // namespace

bool EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return qGuiApp != nullptr;
    // No window is ever shown; the offscreen platform needs no display and has fixed metrics.
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    previousHandler = qInstallMessageHandler(QuietHandler);
    static int argc = 1;
    static char name[] = "kalvora-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    (void)application;
    return true;
}

}  // namespace kalvora::cli
