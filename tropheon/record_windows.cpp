#include "record_windows.h"

namespace tro {

void QtRecordWindows::showSubmission(const SubmissionInput& input) {
    services_.dialogs.message(
        QStringLiteral("Трофеон"),
        QStringLiteral("Результат %1 записан в таблицу. Окно отправки рекорда пока не готово.")
            .arg(input.result),
        MessageIcon::Information);
}

void QtRecordWindows::showHelp() {
    services_.dialogs.message(QStringLiteral("Помощь"),
                              QStringLiteral("Окно помощи пока не готово."),
                              MessageIcon::Information);
}

void QtRecordWindows::showAbout() {
    services_.dialogs.message(QStringLiteral("О программе"), QStringLiteral("Трофеон, версия 3.1."),
                              MessageIcon::Information);
}

}  // namespace tro
