#include "platform_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QInputDialog>
#include <QLibrary>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app_setup.h"
#include "sound_module.h"

#include "windows_keyboard.h"
#if !defined(_WIN32) && defined(TRO_HAVE_XKB)
#include "x11_keyboard.h"
#endif

namespace tro {

bool QtLauncher::start(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::currentPath());
    // A detached child would otherwise inherit our standard output and error.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::QtSoundPlayer(QString moduleDir) : moduleDir_(std::move(moduleDir)) {}

QtSoundPlayer::~QtSoundPlayer() {
    if (loader_.joinable()) {
        loader_.join();
    }
}

void QtSoundPlayer::play(const QString& file) {
    switch (module_) {
        case Module::Loaded:
            if (player_ != nullptr) {
                player_->play(file);
            }
            return;
        case Module::Loading:
            return;
        case Module::NotLoaded:
            break;
    }
    module_ = Module::Loading;
    waiting_ = file;
    const QString dir = moduleDir_.isEmpty() ? QCoreApplication::applicationDirPath() : moduleDir_;
    loader_ = std::thread([this, dir] {
        // Never unloaded: the player made by the module lives as long as this one.
        QLibrary module(dir + QLatin1Char('/') + QLatin1String(kSoundModuleName));
        const auto create =
            reinterpret_cast<TroCreateSoundPlayer>(module.resolve(kSoundModuleEntry));
        // The player itself is made on the window thread, which owns this object.
        QMetaObject::invokeMethod(
            this, [this, create] { loaded(create); }, Qt::QueuedConnection);
    });
}

void QtSoundPlayer::loaded(TroCreateSoundPlayer create) {
    module_ = Module::Loaded;
    if (create != nullptr) {
        player_ = create(this);
    }
    const QString file = std::exchange(waiting_, QString());
    if (player_ != nullptr && !file.isEmpty()) {
        player_->play(file);
    }
}

bool QtSoundPlayer::isPlaying() const {
    if (module_ == Module::Loading) {
        return true;
    }
    return player_ != nullptr && player_->isPlaying();
}

namespace {
QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

void QtDialogs::message(const QString& title, const QString& text, MessageIcon icon) {
    QMessageBox box(toQt(icon), dialogTitle(title, parent_), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDialogs::askYesNo(const QString& title, const QString& text, Answer byDefault) {
    QMessageBox box(QMessageBox::Question, dialogTitle(title, parent_), text, QMessageBox::NoButton,
                    parent_);
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(byDefault == Answer::Yes ? yes : no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtDialogs::askText(const QString& title, const QString& prompt,
                                          const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(dialogTitle(title, parent_));
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("ОК"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

bool QtUrlOpener::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void QtClipboard::setText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

QString QtClipboard::text() const {
    return QApplication::clipboard()->text();
}

bool SystemKeyboardLayouts::available() const {
#ifdef _WIN32
    return windows_keyboard::available();
#elif defined(TRO_HAVE_XKB)
    return x11::keyboardAvailable();
#else
    return false;
#endif
}

QString SystemKeyboardLayouts::current() const {
#ifdef _WIN32
    return QString::fromStdString(windows_keyboard::currentLayout());
#elif defined(TRO_HAVE_XKB)
    return x11::currentLayoutId();
#endif
    return {};
}

bool SystemKeyboardLayouts::activate(const QString& layoutId) {
#ifdef _WIN32
    return windows_keyboard::activateLayout(layoutId.toStdString());
#elif defined(TRO_HAVE_XKB)
    return x11::activateLayout(layoutId);
#else
    (void)layoutId;
    return false;
#endif
}

QString SystemKeyboardLayouts::charactersAt(const QString& usKeys) const {
#ifdef _WIN32
    return QString::fromStdString(windows_keyboard::keyCharacters(usKeys.toStdString()));
#elif defined(TRO_HAVE_XKB)
    return x11::keyCharacters(usKeys);
#else
    (void)usKeys;
    return {};
#endif
}

void SystemProcessControl::exitNow(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

PlatformServices::PlatformServices()
    : services_{launcher_, sound_,   dialogs_, urls_,  clipboard_,
                keyboard_, process_, clock_,   random_} {}

}  // namespace tro
