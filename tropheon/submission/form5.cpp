#include "form5.h"

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

#include "label_ink.h"
#include "submission_checks.h"
#include "submission_code.h"
#include "twips.h"
#include "widgets.h"

namespace tro {
namespace {

const QString kTitle = QStringLiteral("Кодирование результата");
const QString kHeader =
    QStringLiteral("Ваш результат может занять место в общей таблице чемпионов на сайте");
const QString kLabel11 =
    QStringLiteral("Для этого нужно закодировать свой результат и послать его");
const QString kLabel15 = QStringLiteral("по электронной почте автору этой программы");
const QString kLabel18 =
    QStringLiteral("Прежде, чем кодировать результат, почитайте, пожалуйста, правила:");
const QString kLabel17 = QStringLiteral(
    "Закодировать этот результат можно только сейчас. Если выйдете, такая возможность уже не "
    "повторится!");
const QString kNameCaption = QStringLiteral("Ваше имя:");
const QString kNameLimit = QStringLiteral(" - максимум 40 символов.");
const QString kDateCaption = QStringLiteral("Сегодняшняя дата:");
const QString kCodeCaption = QStringLiteral("Код результата:");
const QString kCodeButton = QStringLiteral("Кодировать результат");
const QString kLeaveUncoded = QStringLiteral("Выйти без кодирования результата.");
const QString kLeaveCoded = QStringLiteral("Выход");
const QString kCopyButton = QStringLiteral("В буфер");
const QString kMailButton = QStringLiteral("Послать кодировку на ");
const QString kQuestion = QStringLiteral(
    "Вы уверены, что все правильно указали? Кодировка производится только один раз!");
const QString kCannotCode = QStringLiteral(
    "Этот результат нельзя закодировать: имя или название игры слишком длинные для кода.");
const QString kNoMailProgram = QStringLiteral(
    "Не удалось открыть почтовую программу. Скопируйте код кнопкой «В буфер» и пошлите его "
    "на адрес %1 с темой «Рекорд».");
const QString kNoBrowser = QStringLiteral("Не удалось открыть адрес %1.");

QString rulesText(const QString& address) {
    return QStringLiteral(
               "1. Регистрация рекорда бесплатна: достаточно прислать письмо с кодом "
               "результата.\n"
               "2. Имя может быть псевдонимом, но оно должно быть только вашим: результат, "
               "присланный под именем, которое в таблице на сайте уже носит другой игрок, "
               "засчитывается этому игроку. Все имена перечислены на сайте.\n"
               "3. Присылайте результаты всегда под одним и тем же именем: в таблице для "
               "каждого имени показан его лучший результат.\n"
               "4. Закодировать результат можно только один раз и только сейчас.\n"
               "5. Когда имя и дата указаны верно, нажмите «Кодировать результат»: результат, "
               "дата и имя будут закодированы в код из 124 символов.\n"
               "6. Пошлите код на адрес %1 с темой «Рекорд». В одном письме можно прислать "
               "несколько кодов, каждый целиком.\n"
               "7. Верный код рекорда появится в таблицах при следующем обновлении. Доставка "
               "писем и регулярность обновлений не гарантируются.")
        .arg(address);
}

// A link label is as wide as its text, so only the text answers a click.
void fitWidth(QLabel* label) {
    label->resize(label->sizeHint().width(), label->height());
}

QString percentEncoded(const QString& text, const QByteArray& keep = {}) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

}  // namespace

QString submissionAddress() {
    return QStringLiteral(TRO_SUBMISSION_ADDRESS);
}

QString championsWebAddress() {
    return QStringLiteral(TRO_WEB_ADDRESS);
}

QUrl submissionMailUrl(const QString& address, const QString& code) {
    const QString encoded = QStringLiteral("mailto:") + percentEncoded(address, "@") +
                            QStringLiteral("?Subject=") + percentEncoded(QStringLiteral("Рекорд")) +
                            QStringLiteral("&body=") + percentEncoded(code);
    return QUrl::fromEncoded(encoded.toLatin1(), QUrl::StrictMode);
}

Form5::Form5(const SubmissionInput& input, Services& services, QWidget* parent,
             std::function<void()> showProgress)
    : QDialog(parent), input_(input), services_(services) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(kTitle);
    setFixedSize(twipsSize(9615, 6840));
    buildControls();
    fillDateLists();
    if (showProgress) {
        // The player's progress with the result just made, beside the way out.
        auto* progress = new QPushButton(QStringLiteral("Прогресс"), this);
        progress->setObjectName("Command5");
        progress->setGeometry(twipsRect(120, 6300, 2895, 405));
        progress->setAutoDefault(false);
        connect(progress, &QPushButton::clicked, this, std::move(showProgress));
    }
}

void Form5::buildControls() {
    auto* header = makeLabel(this, "Label14", kHeader, twipsRect(120, 360, 9375, 285));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);

    webLabel_ = makeLabel(this, "Label10", championsWebAddress(), twipsRect(120, 720, 2415, 255));
    linkLook(webLabel_);
    fitWidth(webLabel_);
    webLabel_->installEventFilter(this);
    auto* label11 = makeLabel(this, "Label11", kLabel11, twipsRect(2520, 720, 6975, 255));
    const int label11Left = std::max(label11->x(), webLabel_->x() + webLabel_->width() + px(90));
    label11->setGeometry(label11Left, label11->y(), width() - label11Left - px(120),
                         label11->height());

    auto* label15 = makeLabel(this, "Label15", kLabel15, twipsRect(120, 960, 5295, 255));
    mailLabel_ = makeLabel(this, "Label13", QStringLiteral("(%1)").arg(submissionAddress()),
                           twipsRect(5520, 960, 2055, 255));
    linkLook(mailLabel_);
    // The address follows the sentence it ends, whatever width the font gives the sentence.
    mailLabel_->move(label15->x() + label15->sizeHint().width() + px(60), mailLabel_->y());
    fitWidth(mailLabel_);
    mailLabel_->installEventFilter(this);

    makeLabel(this, "Label18", kLabel18, twipsRect(120, 1320, 8055, 255));
    auto* rules = new QPlainTextEdit(rulesText(submissionAddress()), this);
    rules->setObjectName("Text3");
    rules->setGeometry(twipsRect(120, 1560, 9135, 1455));
    rules->setReadOnly(true);
    rules->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* warning = makeLabel(this, "Label17", kLabel17, twipsRect(120, 3120, 9015, 615));
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignCenter);
    warning->setAutoFillBackground(true);
    QPalette warningColours = warning->palette();
    warningColours.setColor(QPalette::Window, Qt::white);
    warningColours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    warning->setPalette(warningColours);
    warning->setFont(bold);

    makeLabel(this, "Label1", kNameCaption, twipsRect(120, 3840, 1155, 285));
    name_ = makeControl<QLineEdit>(this, "Text2", twipsRect(1320, 3840, 5655, 285));
    name_->setMaxLength(kMaxSubmissionNameLength);
    makeLabel(this, "Label2", kNameLimit, twipsRect(6960, 3840, 2535, 285));

    makeLabel(this, "Label4", kDateCaption, twipsRect(120, 4320, 2235, 315));
    days_ = makeControl<QComboBox>(this, "Combo1", twipsRect(2400, 4320, 855, 315));
    months_ = makeControl<QComboBox>(this, "Combo2", twipsRect(3315, 4320, 1575, 315));
    years_ = makeControl<QComboBox>(this, "Combo3", twipsRect(4950, 4320, 1035, 315));

    struct Shown {
        const char* caption;
        const char* captionName;
        const char* name;
        QString value;
        int top;
    };
    const Shown shown[] = {
        {"Игра:", "Label3", "Label5", QString::fromStdString(input_.gameId), 4200},
        {"Вариант:", "Label6", "Label7", QString::number(input_.variant), 4440},
        {"Результат:", "Label8", "Label12", QString::number(input_.result), 4680},
    };
    for (const Shown& s : shown) {
        auto* caption = makeLabel(this, s.captionName, QString::fromUtf8(s.caption),
                                  twipsRect(6120, s.top, 1380, 255));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* value = makeLabel(this, s.name, s.value, twipsRect(7560, s.top, 1695, 255));
        value->setFont(bold);
    }

    makeLabel(this, "Label9", kCodeCaption, twipsRect(120, 5040, 3000, 240));
    codeText_ = makeControl<QLineEdit>(this, "Text1", twipsRect(120, 5280, 9255, 285));
    codeText_->setReadOnly(true);

    codeButton_ = new QPushButton(kCodeButton, this);
    codeButton_->setObjectName("Command1");
    codeButton_->setGeometry(twipsRect(120, 5760, 2895, 405));
    codeButton_->setDefault(true);
    copyButton_ = new QPushButton(kCopyButton, this);
    copyButton_->setObjectName("Command3");
    copyButton_->setGeometry(twipsRect(3135, 5760, 1335, 405));
    mailButton_ = new QPushButton(kMailButton + submissionAddress(), this);
    mailButton_->setObjectName("Command4");
    mailButton_->setGeometry(twipsRect(4590, 5760, 4785, 405));
    leaveButton_ = new QPushButton(kLeaveUncoded, this);
    leaveButton_->setObjectName("Command2");
    leaveButton_->setGeometry(twipsRect(4590, 6300, 4785, 405));
    for (QPushButton* b : {copyButton_, mailButton_, leaveButton_}) {
        // Enter in the name field must never leave the window or send anything.
        b->setAutoDefault(false);
    }
    copyButton_->setEnabled(false);
    mailButton_->setEnabled(false);

    connect(codeButton_, &QPushButton::clicked, this, [this] { codeResult(); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyCode(); });
    connect(mailButton_, &QPushButton::clicked, this, [this] { mailCode(); });
    connect(leaveButton_, &QPushButton::clicked, this, [this] { leave(); });
}

void Form5::fillDateLists() {
    const Date today = services_.clock.now().date;
    for (int day = 1; day <= 31; ++day) {
        days_->addItem(QString::number(day));
    }
    for (const std::string_view month : kMonthsGenitive) {
        months_->addItem(QString::fromUtf8(month.data(), static_cast<qsizetype>(month.size())));
    }
    // The list runs up to this year, so today's date can always be picked.
    const int lastYear = std::max(kFirstSubmissionYear, today.year);
    for (int year = kFirstSubmissionYear; year <= lastYear; ++year) {
        years_->addItem(QString::number(year));
    }
    days_->setCurrentIndex(today.day - 1);
    months_->setCurrentIndex(today.month - 1);
    years_->setCurrentIndex(std::max(0, today.year - kFirstSubmissionYear));
}

void Form5::codeResult() {
    const int day = days_->currentIndex() + 1;
    const int month = months_->currentIndex() + 1;
    const int year = kFirstSubmissionYear + years_->currentIndex();
    if (const auto problem = checkSubmissionDate(day, month, year)) {
        services_.dialogs.message(QString::fromStdString(problem->title),
                                  QString::fromStdString(problem->text), MessageIcon::Warning);
        return;
    }
    const std::string typed = name_->text().toStdString();
    if (const auto problem = checkSubmissionName(typed)) {
        services_.dialogs.message(QString::fromStdString(problem->title),
                                  QString::fromStdString(problem->text), MessageIcon::Warning);
        return;
    }
    if (!services_.dialogs.askYesNo(QString(), kQuestion, Answer::Yes)) {
        return;
    }
    const TimeOfDay& at = input_.handoffTime;
    const auto made = Kodirovka(submissionName(typed), input_.result, input_.gameId, input_.variant,
                                day, month, year, at.hour, at.minute, at.second, services_.random);
    if (!made) {
        services_.dialogs.message(QString(), kCannotCode, MessageIcon::Warning);
        return;
    }
    code_ = QString::fromStdString(*made);
    codeText_->setText(code_);
    codeText_->setCursorPosition(0);
    codeButton_->setEnabled(false);
    copyButton_->setEnabled(true);
    mailButton_->setEnabled(true);
    leaveButton_->setText(kLeaveCoded);
    // What was coded stays on screen as it was coded.
    name_->setReadOnly(true);
    for (QComboBox* list : {days_, months_, years_}) {
        list->setEnabled(false);
    }
}

void Form5::copyCode() {
    services_.clipboard.setText(QString());
    services_.clipboard.setText(code_);
}

void Form5::mailCode() {
    if (!services_.urls.open(submissionMailUrl(submissionAddress(), code_))) {
        services_.dialogs.message(QString(), kNoMailProgram.arg(submissionAddress()),
                                  MessageIcon::Warning);
    }
}

void Form5::leave() {
    done(code_.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
}

void Form5::openAddress(const QUrl& url) {
    if (!services_.urls.open(url)) {
        services_.dialogs.message(QString(), kNoBrowser.arg(url.toDisplayString()),
                                  MessageIcon::Warning);
    }
}

bool Form5::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == webLabel_) {
            openAddress(QUrl(championsWebAddress()));
            return true;
        }
        if (watched == mailLabel_) {
            openAddress(QUrl(QStringLiteral("mailto:") + submissionAddress()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tro
