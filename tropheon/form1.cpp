#include "form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLibrary>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "app_setup.h"
#include "form2.h"
#include "label_ink.h"
#include "player_list.h"
#ifdef TRO_HISTORY
#include "progress.h"
#include "progress_module.h"
#include "progress_window.h"
#endif
#include "rules.h"
#include "settings.h"
#include "sounds.h"
#include "text_fit.h"
#include "twips.h"
#include "widgets.h"

namespace tro {
namespace {

const QString kWindowTitle = kSuiteTitle + QStringLiteral("            Версия 3.1");
const QString kRulesHeading = QStringLiteral("ПРАВИЛА:");
const QString kRulesHeadingSaved = QStringLiteral("Правила:");

const QColor kBackground(192, 255, 192);
const QColor kRed(255, 0, 0);
const QColor kPurple(192, 0, 192);

constexpr int kLabelHeight = 255;  // twips, for labels whose height the layout leaves open

QLabel* centred(QLabel* label) {
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QListWidget* makeList(QWidget* parent, const char* name, QRect geometry) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    list->setPalette(palette);
    return list;
}

// Twenty rows fill the height of a table column.
void fillColumn(QListWidget* list, const QStringList& rows) {
    list->clear();
    const int rowHeight = (list->height() - 2 * list->frameWidth()) / kTableRows;
    for (const QString& text : rows) {
        auto* item = new QListWidgetItem(text, list);
        item->setSizeHint(QSize(list->width() - 2 * list->frameWidth(), rowHeight));
    }
}

}  // namespace

Form1::Form1(Services& services, RecordWindows& records, std::filesystem::path dir, QWidget* parent)
    : QWidget(parent),
      services_(services),
      records_(records),
      manager_(std::move(dir), services.clock, services.random)
#ifdef TRO_HISTORY
      ,
      history_(manager_.dir(), services.clock)
#endif
{
    buildControls();
}

Form1::~Form1() = default;

void Form1::buildControls() {
    setObjectName("Form1");
    setWindowTitle(kWindowTitle);
    setFixedSize(twipsSize(9435, 6840));
    fillBackground(*this, kBackground);
    QFont base = font();
    base.setPointSize(8);
    base.setBold(true);
    setFont(base);

    makeLabel(this, "Label3", QStringLiteral("ИГРА:"), twipsRect(120, 120, 1215, kLabelHeight));
    game_ = makeList(this, "GAME", twipsRect(120, 360, 2895, 1500));
    label6_ = makeLabel(this, "Label6", kRulesHeading, twipsRect(120, 2040, 1215, kLabelHeight));
    text1_ = makeControl<QPlainTextEdit>(this, "Text1", twipsRect(120, 2280, 2895, 1455));
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control; the rules text holds no tabs.
    text1_->setTabChangesFocus(true);
    QFont rulesFont = base;
    rulesFont.setBold(false);
    text1_->setFont(rulesFont);
    makeLabel(this, "Label4", QStringLiteral("Настройки:"),
              twipsRect(120, 3840, 1215, kLabelHeight));
    nastroy_ = makeList(this, "NASTROY", twipsRect(120, 4080, 2895, 1425));
    command1_ = new QPushButton(QStringLiteral("Начать игру!"), this);
    command1_->setObjectName("Command1");
    command1_->setGeometry(twipsRect(600, 5760, 1935, 375));

    auto* label1 = centred(
        makeLabel(this, "Label1", QStringLiteral("ИГРА ТРОФЕОН"), twipsRect(3240, 120, 4095, 495)));
    QFont title = base;
    title.setPointSize(24);
    label1->setFont(fontFitting(title, {label1->text()}, label1->size(), 0));
    auto* label2 = inked(
        makeLabel(this, "Label2", QStringLiteral("РЕЗУЛЬТАТЫ:"), twipsRect(3120, 840, 1935, 300)),
        kRed);
    QFont heading = base;
    heading.setPointSize(12);
    label2->setFont(heading);

    QFont buttonFont = base;
    buttonFont.setBold(false);
    auto* command3 = new QPushButton(QStringLiteral("Помощь"), this);
    command3->setObjectName("Command3");
    command3->setGeometry(twipsRect(8160, 120, 1215, 255));
    auto* command2 = new QPushButton(QStringLiteral("О программе"), this);
    command2->setObjectName("Command2");
    command2->setGeometry(twipsRect(8160, 480, 1215, 255));
    command3->setFont(buttonFont);
    command2->setFont(buttonFont);
    tipCutCaption(command3);
    tipCutCaption(command2);
    check1_ =
        makeCheckBox(this, "Check1", QStringLiteral("SOUND"), twipsRect(8160, 840, 1095, 195));
    check1_->setChecked(true);

    inked(centred(makeLabel(this, "Label5", QStringLiteral("№"), twipsRect(3120, 1200, 375, 240))),
          kPurple);
    makeLabel(this, "Label8", QStringLiteral("Имя рекордсмена"), twipsRect(4440, 1200, 2055, 240));
    inked(centred(
              makeLabel(this, "Label9", QStringLiteral("Дата"), twipsRect(7320, 1200, 1095, 240))),
          kPurple);
    inked(centred(
              makeLabel(this, "Label10", QStringLiteral("Рез."), twipsRect(8640, 1200, 735, 240))),
          kRed);

    mesto_ = makeList(this, "MESTO", twipsRect(3120, 1440, 375, 4860));
    imya_ = makeList(this, "IMYA", twipsRect(3600, 1440, 3615, 4860));
    data_ = makeList(this, "DATA", twipsRect(7320, 1440, 1215, 4860));
    ochki_ = makeList(this, "OCHKI", twipsRect(8640, 1440, 735, 4860));
    QStringList places;
    for (int p = 1; p <= kTableRows; ++p) {
        places << QStringLiteral("%1").arg(p, 2);
    }
    fillColumn(mesto_, places);
    for (QListWidget* list : {game_, nastroy_, imya_, data_, ochki_}) {
        tipCutRows(list);
    }
    // Tab walks the controls in the order a player reads them; the table is one stop, the
    // name column, and the other three columns take the focus only by a click.
    for (QListWidget* column : {mesto_, data_, ochki_}) {
        column->setFocusPolicy(Qt::ClickFocus);
    }
    QWidget* const tabOrder[] = {game_, text1_, nastroy_, command1_, imya_,  mesto_,
                                 data_, ochki_, command3, command2,  check1_};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    // Whose turn it is, and the way to their progress, in a row below the design's layout.
    makeLabel(this, "Label11", QStringLiteral("Игрок:"), twipsRect(120, 6450, 735, kLabelHeight));
    igrok_ = makeControl<QComboBox>(this, "IGROK", twipsRect(870, 6405, 2145, 315));
    igrok_->setEditable(false);
    auto* command4 = new QPushButton(QStringLiteral("Прогресс"), this);
    command4->setObjectName("Command4");
    command4->setGeometry(twipsRect(3120, 6405, 1455, 315));
    command4->setFont(buttonFont);
    setTabOrder(command1_, igrok_);
    setTabOrder(igrok_, command4);
    setTabOrder(command4, imya_);

    // The interface language choice: kept in the settings file, never shown.
    auto* combo1 = new QComboBox(this);
    combo1->setObjectName("Combo1");
    combo1->hide();

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(kExitDelayMs);
    timer1_->setSingleShot(true);

    connect(game_, &QListWidget::currentRowChanged, this, &Form1::onGameSelected);
    connect(nastroy_, &QListWidget::currentRowChanged, this, &Form1::onVariantSelected);
    connect(check1_, &QCheckBox::clicked, this, &Form1::onSoundClicked);
    connect(command1_, &QPushButton::clicked, this, &Form1::onStartGame);
    connect(igrok_, &QComboBox::activated, this, &Form1::onPlayerActivated);
    connect(command4, &QPushButton::clicked, this, &Form1::showProgress);
    connect(command3, &QPushButton::clicked, this, [this] { records_.showHelp(); });
    connect(command2, &QPushButton::clicked, this, [this] { records_.showAbout(); });
    connect(timer1_, &QTimer::timeout, this, [this] { services_.process.exitNow(0); });
    for (QListWidget* column : {mesto_, imya_, data_, ochki_}) {
        column->viewport()->installEventFilter(this);
        connect(column, &QListWidget::currentRowChanged, this, &Form1::selectTableRow);
    }
    text1_->viewport()->installEventFilter(this);
    text1_->viewport()->setMouseTracking(true);
    updateStartButton();
}

bool Form1::load(const QString& commandLine) {
    // The box starts checked; taking the file's value counts as a click when it changes it,
    // so a first start writes the settings file with the sound off.
    if (!manager_.readSoundSwitch()) {
        check1_->setChecked(false);
        onSoundClicked(false);
    }

    const StartKind kind = manager_.acceptCommandLine(commandLine.toStdString());
    if (kind == StartKind::Refused) {
        services_.dialogs.message(QStringLiteral("ERROR"),
                                  QStringLiteral("Ошибка при раскодировке!"),
                                  MessageIcon::Critical);
        services_.process.exitNow(0);
        return false;
    }
    if (kind == StartKind::User && manager_.soundOn()) {
        playSoundGroup(services_, manager_.dir(), "start");
    }
    currentPlayer_ = readCurrentPlayer(manager_.dir());
    fillPlayers();

    manager_.scanCatalogue();
    {
        const QSignalBlocker blocker(game_);
        game_->clear();
        for (const CatalogueRow& row : manager_.gameRows()) {
            game_->addItem(QString::fromStdString(row.title));
        }
    }
    if (const auto row = manager_.initialGameRow()) {
        game_->setCurrentRow(*row);
    }
    return true;
}

void Form1::onGameSelected(int row) {
    if (row < 0) {
        return;
    }
    manager_.selectGame(row);
    {
        const QSignalBlocker blocker(nastroy_);
        nastroy_->clear();
        for (const std::string& name : manager_.variants()) {
            nastroy_->addItem(QString::fromStdString(name));
        }
    }
    text1_->setPlainText(QString::fromStdString(manager_.rules()));
    showTable();
    updateStartButton();
    if (const auto variant = manager_.initialVariantRow()) {
        nastroy_->setCurrentRow(*variant);
    }
}

void Form1::onVariantSelected(int row) {
    if (row < 0) {
        return;
    }
    const SlotStatus status = manager_.selectVariant(row);
    if (status != SlotStatus::Ok) {
        warnUnwritable(status, QStringLiteral("таблица результатов недоступна"));
    }
    showTable();
    updateStartButton();
    if (manager_.intakeDue()) {
        runIntake();
    }
}

void Form1::showTable() {
    coupling_ = true;
    QStringList names;
    QStringList dates;
    QStringList results;
    if (manager_.table().loaded()) {
        for (const TableRow& row : manager_.table().rows()) {
            names << QString::fromStdString(row.name);
            dates << QString::fromStdString(row.date);
            results << QString::fromStdString(row.result);
        }
    }
    fillColumn(imya_, names);
    fillColumn(data_, dates);
    fillColumn(ochki_, results);
    mesto_->setCurrentRow(-1);
    coupling_ = false;
}

void Form1::selectTableRow(int row) {
    if (coupling_ || row < 0) {
        return;
    }
    coupling_ = true;
    for (QListWidget* column : {mesto_, imya_, data_, ochki_}) {
        if (row < column->count()) {
            column->setCurrentRow(row);
        }
    }
    coupling_ = false;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_->viewport()) {
        return rulesBoxEvent(event) || QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    for (QListWidget* column : {mesto_, imya_, data_, ochki_}) {
        if (watched != column->viewport()) {
            continue;
        }
        const bool press = event->type() == QEvent::MouseButtonPress;
        if (press || mouse->buttons() == Qt::LeftButton) {
            const int row = column->indexAt(pos).row();
            if (row >= 0) {
                selectTableRow(row);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Form1::rulesBoxEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::ContextMenu:
            // The mouse's context menu waits for the right button's release (below): opened
            // at the press, it would take the pointer from the box while both buttons may
            // still come to be held. The keyboard's menu opens as usual.
            return static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse;
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // A press while another button is held makes a chord: no menu at its end.
            if (mouse->buttons() != mouse->button()) {
                rulesChord_ = true;
            } else if (mouse->button() == Qt::RightButton) {
                rulesChord_ = false;
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton && mouse->buttons() == Qt::NoButton &&
                !rulesChord_) {
                QContextMenuEvent menu(QContextMenuEvent::Other, mouse->position().toPoint(),
                                       mouse->globalPosition().toPoint());
                QCoreApplication::sendEvent(text1_->viewport(), &menu);
            }
            return false;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() == (Qt::LeftButton | Qt::RightButton) &&
                text1_->viewport()->mapTo(text1_, mouse->position().toPoint()) ==
                    kRulesSaveGesturePoint) {
                saveRules();
            }
            return false;
        }
        default:
            return false;
    }
}

void Form1::onSoundClicked(bool on) {
    const SlotStatus status = manager_.setSoundSwitch(on);
    if (status != SlotStatus::Ok) {
        check1_->setChecked(manager_.soundOn());
        warnUnwritable(status, QStringLiteral("настройка звука не сохранена"));
    }
}

void Form1::warnUnwritable(SlotStatus status, const QString& what) {
    if (warnedUnwritable_) {
        return;
    }
    warnedUnwritable_ = true;
    services_.dialogs.message(
        kSuiteTitle,
        QStringLiteral("В папку игры нельзя записать (%1: %2). Трофеон работает, но результаты и "
                       "настройки не сохранятся.")
            .arg(what, QString::fromStdString(describe(status))),
        MessageIcon::Warning);
}

void Form1::updateStartButton() {
    command1_->setEnabled(manager_.startCommand().has_value());
}

void Form1::onStartGame() {
    const auto command = manager_.startCommand();
    if (!command) {
        return;
    }
    const QString program = QString::fromStdString(command->program.string());
    if (!services_.launcher.start(program, {QString::number(command->variant)})) {
        services_.dialogs.message(
            kSuiteTitle,
            QStringLiteral("Не удалось запустить игру «%1».")
                .arg(QString::fromStdString(command->program.filename().string())),
            MessageIcon::Warning);
        return;
    }
    services_.process.exitNow(0);
}

void Form1::saveRules() {
    const std::string text = text1_->toPlainText().toStdString();
    const SlotStatus status = manager_.saveRules(text);
    if (status == SlotStatus::Ok) {
        // The heading changes its case at every save, so the player sees that it happened.
        rulesHeadingSaved_ = !rulesHeadingSaved_;
        label6_->setText(rulesHeadingSaved_ ? kRulesHeadingSaved : kRulesHeading);
        return;
    }
    QString reason = QString::fromStdString(describe(status));
    if (status == SlotStatus::TooLong) {
        reason = QStringLiteral(
                     "текст занимает %1 байт, а в файле правил есть место только "
                     "для %2")
                     .arg(rulesFileBytes(text))
                     .arg(kMaxRulesBytes);
    }
    services_.dialogs.message(kSuiteTitle, QStringLiteral("Правила не сохранены: %1.").arg(reason),
                              MessageIcon::Warning);
}

void Form1::runIntake() {
    const auto taken = manager_.takeResultCode();
    if (!taken) {
        return;
    }
#ifdef TRO_HISTORY
    // The history opens before the table takes the result: a new history begins with the
    // tables as they were, so the result is not taken in twice.
    history_.open();
#endif
    const SubmissionInput& result = taken->submission;
    bool named = false;
    if (taken->place) {
        if (!form2_) {
            form2_ = std::make_unique<Form2>(services_, manager_.dir());
        }
        form2_->prepare(result.result, *taken->place, manager_.soundOn(), currentPlayer_);
        named = form2_->exec() == QDialog::Accepted;
        if (named) {
            setCurrentPlayer(form2_->chosenName().toStdString());
        }
    }
    const std::string chosen = named ? form2_->chosenName().toStdString() : std::string();
#ifdef TRO_HISTORY
    history_.record(resultOwner(named, chosen, currentPlayer_), result.gameId, result.variant,
                    result.result);
    tellHistory();
#endif
    if (!named) {
        return;
    }
    const StoreOutcome outcome = manager_.storeResult(*taken, chosen);
    showTable();
    if (outcome == StoreOutcome::Stored) {
        selectTableRow(*taken->place - 1);
    }
    if (outcome == StoreOutcome::KeptBetter) {
        services_.dialogs.message(
            kSuiteTitle,
            QStringLiteral("У игрока %1 уже есть результат не хуже.").arg(form2_->chosenName()),
            MessageIcon::Information);
    }
    if (outcome == StoreOutcome::WriteFailed) {
        services_.dialogs.message(
            kSuiteTitle,
            QStringLiteral("Результат не удалось записать в файл таблицы результатов."),
            MessageIcon::Warning);
    }
    records_.showSubmission(taken->submission);
}

void Form1::fillPlayers() {
    players_ = {std::string(kNewNameEntry)};
    for (std::string& name : loadPlayerNames(manager_.dir())) {
        players_.push_back(std::move(name));
    }
    // A current player missing from the list (a lost users.dat) is still shown.
    if (!currentPlayer_.empty() &&
        std::find(players_.begin() + 1, players_.end(), currentPlayer_) == players_.end()) {
        players_.push_back(currentPlayer_);
    }
    const QSignalBlocker blocker(igrok_);
    igrok_->clear();
    for (const std::string& name : players_) {
        igrok_->addItem(QString::fromStdString(name));
    }
    const auto current = std::find(players_.begin() + 1, players_.end(), currentPlayer_);
    igrok_->setCurrentIndex(current == players_.end() || currentPlayer_.empty()
                                ? -1
                                : static_cast<int>(current - players_.begin()));
    fitDropDown(igrok_);
}

void Form1::onPlayerActivated(int index) {
    if (index == 0) {
        const auto name = askNewPlayerName(services_, manager_.dir(), players_, false);
        if (name) {
            setCurrentPlayer(*name);
        } else {
            fillPlayers();  // back to the current player
        }
        return;
    }
    if (index > 0 && static_cast<std::size_t>(index) < players_.size()) {
        setCurrentPlayer(players_[static_cast<std::size_t>(index)]);
    }
}

void Form1::setCurrentPlayer(const std::string& name) {
    currentPlayer_ = name;
    const SlotStatus status = writeCurrentPlayer(manager_.dir(), name);
    if (status != SlotStatus::Ok) {
        warnUnwritable(status, QStringLiteral("игрок не запомнен"));
    }
    fillPlayers();
}

void Form1::tellHistory() {
#ifdef TRO_HISTORY
    if (const std::string notice = history_.takeNotice(); !notice.empty()) {
        services_.dialogs.message(kSuiteTitle, QString::fromStdString(notice),
                                  MessageIcon::Warning);
    }
#endif
}

void Form1::showProgress() {
#ifndef TRO_HISTORY
    // A build without SQLite and Qt Charts (the one for Windows) keeps no history.
    services_.dialogs.message(kSuiteTitle,
                              QStringLiteral("В этой версии Трофеона история результатов не "
                                             "ведётся, и окна «Прогресс» нет."),
                              MessageIcon::Information);
#else
    ProgressRequest request;
    request.player = currentPlayer_;
    // The entries as the catalogue scan read them: no file is read again.
    for (const CatalogueRow& row : manager_.gameRows()) {
        const GameEntry* entry = manager_.entryOf(row.id);
        if (entry == nullptr) {
            continue;
        }
        request.games.push_back({row.id, row.title, entry->direction, entry->variants});
        if (row.id == manager_.gameId()) {
            request.game = request.games.back();
        }
    }
    request.variant = manager_.variantRow().value_or(0) + 1;
    history_.open();
    tellHistory();
    // The window and its charts come with a module of their own, loaded at the first look.
    QLibrary module(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                    QLatin1String(kProgressModuleName));
    const auto show = reinterpret_cast<TroShowProgress>(module.resolve(kProgressModuleEntry));
    if (show == nullptr) {
        services_.dialogs.message(
            kSuiteTitle,
            QStringLiteral("Окно «Прогресс» не открывается: рядом с "
                           "программой нет модуля %1 (%2).")
                .arg(QLatin1String(kProgressModuleName), module.errorString()),
            MessageIcon::Warning);
        return;
    }
    show(services_, history_, request, this);
#endif
}

void Form1::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->ignore();
        return;
    }
    if (manager_.soundOn() && playSoundGroup(services_, manager_.dir(), "exit")) {
        exiting_ = true;
        timer1_->start();
        hide();
        event->ignore();
        return;
    }
    services_.process.exitNow(0);
    event->accept();
}

}  // namespace tro
