#include "platform_services.h"

#include <QApplication>
#include <QAudioDevice>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QInputDialog>
#include <QMediaDevices>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSoundEffect>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#elif defined(TRO_HAVE_XKB)
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
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& file) {
    if (!effect_ && !silent_) {
        if (QMediaDevices::audioOutputs().isEmpty()) {
            silent_ = true;
        } else {
            effect_ = new QSoundEffect(this);
            QObject::connect(effect_, &QSoundEffect::playingChanged, this,
                             [this] { playing_ = effect_->isPlaying(); });
            QObject::connect(effect_, &QSoundEffect::statusChanged, this, [this] {
                if (effect_->status() == QSoundEffect::Error) {
                    playing_ = false;
                }
            });
        }
    }
    if (silent_) {
        return;
    }
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play();
    playing_ = true;
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
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtDialogs::askText(const QString& title, const QString& prompt,
                                          const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
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
    return true;
#elif defined(TRO_HAVE_XKB)
    return x11::keyboardAvailable();
#else
    return false;
#endif
}

QString SystemKeyboardLayouts::current() const {
#ifdef _WIN32
    char name[KL_NAMELENGTH] = {};
    if (GetKeyboardLayoutNameA(name)) {
        return QString::fromLatin1(name);
    }
#elif defined(TRO_HAVE_XKB)
    return x11::currentLayoutId();
#endif
    return {};
}

bool SystemKeyboardLayouts::activate(const QString& layoutId) {
#ifdef _WIN32
    const QByteArray id = layoutId.toLatin1();
    return LoadKeyboardLayoutA(id.constData(), KLF_ACTIVATE) != nullptr;
#elif defined(TRO_HAVE_XKB)
    return x11::activateLayout(layoutId);
#else
    (void)layoutId;
    return false;
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
