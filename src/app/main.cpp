// Kalvora: starts the frame, opens the file named on the command line and runs the message
// loop. --screenshot FILE.png grabs the main window once the loop has settled and exits.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "gui/main_form.h"
#include "platform/messages.h"
#include "platform/qt/qt_message_sink.h"

namespace {

// In screenshot runs messages go to standard error: nobody is there to close a message box.
int Run(QApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kalvora sound workshop"));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Save the main window to FILE.png and exit."),
                                  QStringLiteral("FILE.png"));
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A wave (.wav), music (.kvm) or project (.kvp) "
                                                "file to open."),
                                 QStringLiteral("[file]"));
    parser.process(application);
    const QString screenshotFile = parser.value(screenshot);
    const QStringList files = parser.positionalArguments();

    kalvora::platform::QtMessageSink boxes;
    if (screenshotFile.isEmpty()) kalvora::platform::SetMessageSink(&boxes);

    kalvora::gui::TMainForm frame;
    boxes.SetParent(&frame);
    frame.show();
    if (!files.isEmpty()) {
        QTimer::singleShot(0, &frame,
                           [&frame, file = files.first()] { frame.OpenFromCommandLine(file); });
    }
    int status = 0;
    if (!screenshotFile.isEmpty()) {
        QTimer::singleShot(400, &frame, [&frame, &screenshotFile, &status] {
            frame.UpdateCommands();
            QApplication::processEvents();
            if (!frame.grab().save(screenshotFile, "PNG")) {
                std::fprintf(stderr, "kalvora: cannot write %s\n", qPrintable(screenshotFile));
                status = 1;
            }
            QApplication::quit();
        });
    }
    int result = application.exec();
    kalvora::platform::SetMessageSink(nullptr);
    return status != 0 ? status : result;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvora"));
    QApplication::setApplicationVersion(QStringLiteral("8.0"));
    try {
        return Run(application);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Kalvora"),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
