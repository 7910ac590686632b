#pragma once
// The record submission window: turns a stored result, the player's name and the date into
// a submission code for the public table of champions, once.

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

#include "services.h"
#include "submission_input.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tro {

// Where codes are sent and where the table of champions lives; set when the suite is built.
QString submissionAddress();
QString championsWebAddress();

// "mailto:" the address, with the subject "Рекорд" and the code as the body, percent-encoded.
QUrl submissionMailUrl(const QString& address, const QString& code);

class Form5 : public QDialog {
    Q_OBJECT

  public:
    // With `showProgress`, a "Прогресс" button opens the player's progress.
    Form5(const SubmissionInput& input, Services& services, QWidget* parent = nullptr,
          std::function<void()> showProgress = {});

    // The code once it is made, else empty.
    [[nodiscard]] QString code() const { return code_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void fillDateLists();
    void codeResult();
    void copyCode();
    void mailCode();
    void leave();
    void openAddress(const QUrl& url);

    SubmissionInput input_;
    Services& services_;
    QString code_;

    QLabel* webLabel_ = nullptr;
    QLabel* mailLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* days_ = nullptr;
    QComboBox* months_ = nullptr;
    QComboBox* years_ = nullptr;
    QLineEdit* codeText_ = nullptr;
    QPushButton* codeButton_ = nullptr;
    QPushButton* leaveButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* mailButton_ = nullptr;
};

}  // namespace tro
