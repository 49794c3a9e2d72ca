#include "gui/progress_runner.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace kalvora::gui {
namespace {

// How often the progress window looks whether the work has ended.
constexpr int kPollInterval = 20;

}  // namespace

void TProgressRunner::Run(const std::function<void()>& work, ErrorFlag* error) {
    running_ = true;
    TBackgroundWork job(work);
    if (!job.WaitFor(delay_)) {
        QProgressDialog dialog(QString::fromLatin1(kProgressText), QStringLiteral("Cancel"), 0, 0,
                               parent_);
        dialog.setObjectName(QStringLiteral("ProgressDialog"));
        dialog.setWindowTitle(QString::fromLatin1(kProgressCaption));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        // Cancel asks the work to stop; the window stays until it has.
        auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
        dialog.setCancelButton(cancel);
        QObject::disconnect(cancel, nullptr, &dialog, nullptr);
        QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog, cancel, error] {
            CancelWork(error);
            cancel->setEnabled(false);
            dialog.setLabelText(QString::fromLatin1(kCancellingText));
        });
        QTimer poll;
        poll.setInterval(kPollInterval);
        QObject::connect(&poll, &QTimer::timeout, &dialog, [&dialog, &job] {
            if (job.Ended()) dialog.done(QDialog::Accepted);
        });
        poll.start();
        if (onShown_) {
            QTimer::singleShot(0, &dialog, [this, &dialog] { onShown_(dialog); });
        }
        // Closing the window (its title bar, Escape) cancels as well.
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                         [error] { CancelWork(error); });
        QObject::connect(&dialog, &QDialog::rejected, &dialog, [error] { CancelWork(error); });
        if (!job.Ended()) dialog.exec();
    }
    job.Finish();
    running_ = false;
}

}  // namespace kalvora::gui
