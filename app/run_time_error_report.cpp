#include "app/run_time_error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace vornel {

QString runTimeErrorMessage(const RunTimeError& error) {
    return QStringLiteral("実行時エラー '%1':\n\n%2").arg(error.number).arg(error.description);
}

int reportRunTimeError(const RunTimeError& error) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Vornel"), runTimeErrorMessage(error),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("RunTimeError"));
    box.exec();
    // Nothing runs on after a run-time error: no window may keep the program.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    // Ask a running event loop to end; before it runs, the caller ends.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(kRunTimeErrorExitStatus);
    return kRunTimeErrorExitStatus;
}

} // namespace vornel
