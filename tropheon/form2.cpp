#include "form2.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app_setup.h"
#include "cp1251.h"
#include "label_ink.h"
#include "player_list.h"
#include "sounds.h"
#include "text_fit.h"
#include "twips.h"
#include "widgets.h"

namespace tro {
namespace {

const QString kTitle = QStringLiteral("Регистрация рекорда");
const QString kResultCaption = QStringLiteral("Вы набрали очков:");
const QString kPlaceCaption = QStringLiteral("Вы заняли место:");
const QString kListCaption = QStringLiteral("Список имен:");
const QString kInstruction = QStringLiteral("Выберите ваше имя из списка и нажмите ОК.");
const QString kNothingChosen =
    QStringLiteral("Выберите ваше имя из списка, а уже затем нажмите ОК.");
const QString kInputTitle = QStringLiteral("Регистрация игрока");
const QString kInputPrompt = QStringLiteral("Введите имя нового игрока.");
const QString kDuplicate = QStringLiteral("Такое имя уже есть в списке. Введите другое.");
const QString kDiscardQuestion = QStringLiteral("Результат не будет сохранён. Закрыть?");

const QColor kBackground(255, 255, 192);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

}  // namespace

Form2::Form2(Services& services, std::filesystem::path dir, QWidget* parent)
    : QDialog(parent), services_(services), dir_(std::move(dir)) {
    setObjectName("Form2");
    setWindowTitle(kTitle);
    setFixedSize(twipsSize(4545, 2970));
    fillBackground(*this, kBackground);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    inked(makeLabel(this, "Label1", kResultCaption, twipsRect(120, 120, 2175, 255)), kBlue);
    label4_ = inked(makeLabel(this, "Label4", {}, twipsRect(2400, 120, 975, 255)), kBlue);
    inked(makeLabel(this, "Label2", kPlaceCaption, twipsRect(120, 480, 2055, 255)), kRed);
    label5_ = inked(makeLabel(this, "Label5", {}, twipsRect(2280, 420, 855, 375)), kRed);
    QFont larger = bold;
    larger.setPointSizeF(bold.pointSizeF() * 1.6);
    label5_->setFont(larger);

    command2_ = new QPushButton(QStringLiteral("OK"), this);
    command2_->setObjectName("Command2");
    command2_->setGeometry(twipsRect(3240, 360, 1095, 375));
    command2_->setDefault(true);

    makeLabel(this, "Label7", kListCaption, twipsRect(120, 840, 2055, 255));
    list1_ = makeControl<QComboBox>(this, "LIST1", twipsRect(120, 1080, 3135, 330));
    list1_->setEditable(false);
    auto* label3 = makeLabel(this, "Label3", kInstruction, twipsRect(120, 1680, 3135, 495));
    label3->setWordWrap(true);

    connect(list1_, &QComboBox::activated, this, &Form2::onActivated);
    connect(command2_, &QPushButton::clicked, this, &Form2::onOk);
    loadNames();
}

void Form2::loadNames() {
    entries_ = {std::string(kNewNameEntry)};
    for (std::string& name : loadPlayerNames(dir_)) {
        entries_.push_back(std::move(name));
    }
    list1_->clear();
    for (const std::string& entry : entries_) {
        list1_->addItem(QString::fromStdString(entry));
    }
    list1_->setCurrentIndex(-1);
    fitDropDown(list1_);
}

void Form2::prepare(int result, int place, bool soundOn, const std::string& current) {
    loadNames();
    for (std::size_t i = 1; i < entries_.size() && !current.empty(); ++i) {
        if (entries_[i] == current) {
            list1_->setCurrentIndex(static_cast<int>(i));
            break;
        }
    }
    label4_->setText(QString::number(result));
    label5_->setText(QString::number(place));
    place_ = place;
    soundOn_ = soundOn;
    chosen_.clear();
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    static constexpr std::string_view kPlaceGroups[] = {"1stplace", "2ndplace", "3dplace"};
    if (soundOn_ && place_ >= 1 && place_ <= 3) {
        playSoundGroup(services_, dir_, kPlaceGroups[place_ - 1]);
    }
}

void Form2::onActivated(int index) {
    if (index == 0) {
        askNewName();
    }
}

std::optional<std::string> askNewPlayerName(Services& services, const std::filesystem::path& dir,
                                            const std::vector<std::string>& entries,
                                            bool forResult) {
    std::string name;
    for (;;) {
        const auto answer = services.dialogs.askText(kInputTitle, kInputPrompt, {});
        if (!answer) {
            return std::nullopt;
        }
        name = normalizeNewName(answer->toStdString());
        const NameVerdict verdict = judgeNewName(name, entries);
        if (verdict == NameVerdict::Empty) {
            return std::nullopt;
        }
        if (verdict == NameVerdict::Fine) {
            break;
        }
        if (verdict == NameVerdict::Duplicate) {
            services.dialogs.message(kSuiteTitle, kDuplicate, MessageIcon::Information);
        } else {
            services.dialogs.message(
                kSuiteTitle,
                QStringLiteral("В имени есть знак «%1», который нельзя сохранить в списке "
                               "игроков. Введите имя без него.")
                    .arg(QString::fromStdString(firstUnencodable(name))),
                MessageIcon::Information);
        }
    }
    if (addPlayerName(dir, name) == AddPlayerOutcome::Failed) {
        services.dialogs.message(
            kSuiteTitle,
            QStringLiteral("Не удалось записать имя в список игроков (users.dat).") +
                (forResult ? QStringLiteral(" Результат будет записан под этим именем.")
                           : QString()),
            MessageIcon::Warning);
    }
    return name;
}

bool Form2::askNewName() {
    const auto name = askNewPlayerName(services_, dir_, entries_);
    if (!name) {
        return false;
    }
    entries_.push_back(*name);
    list1_->addItem(QString::fromStdString(*name));
    list1_->setCurrentIndex(list1_->count() - 1);
    fitDropDown(list1_);
    return true;
}

void Form2::reject() {
    // Escape and the close button end the intake without storing: one stray key must not
    // lose a result.
    if (services_.dialogs.askYesNo(kSuiteTitle, kDiscardQuestion, Answer::No)) {
        QDialog::reject();
    }
}

void Form2::onOk() {
    int index = list1_->currentIndex();
    if (index < 0) {
        services_.dialogs.message(kSuiteTitle, kNothingChosen, MessageIcon::Information);
        return;
    }
    // "Новое имя..." is no player's name: OK then asks for the new name once more.
    if (index == 0) {
        if (!askNewName()) {
            return;
        }
        index = list1_->currentIndex();
    }
    chosen_ = QString::fromStdString(entries_[static_cast<std::size_t>(index)]);
    list1_->setCurrentIndex(-1);
    accept();
}

}  // namespace tro
