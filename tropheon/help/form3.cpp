#include "form3.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

#include "app_setup.h"
#include "emblem.h"
#include "label_ink.h"
#include "twips.h"
#include "widgets.h"

namespace tro {
namespace {

const QString kTitle = kSuiteTitle + QStringLiteral(" v3.1");
const QString kNoMailProgram =
    QStringLiteral("Не удалось открыть почтовую программу. Напишите, пожалуйста, на адрес %1.");

struct Line {
    const char* name;
    const char* text;
    int left, top, width;
};

// Captions and values of the About window, positions in twips.
constexpr Line kLines[] = {
    {"Label1", "Создана:", 2040, 840, 1335},
    {"Label2", "04.06.2003", 3420, 840, 1500},
    {"Label3", "Версия от:", 2040, 1110, 1335},
    {"Label4", "30.10.2005", 3420, 1110, 1500},
    {"Label5", "Автор: команда разработчиков «Трофеона»", 2040, 1560, 4800},
    {"Label6", "Написана на C++ с библиотекой Qt", 2040, 1830, 4800},
    {"Label7", "Звуки синтезированы программой при установке", 2040, 2100, 4800},
};

}  // namespace

QString contactAddress() {
    return QStringLiteral(TRO_CONTACT_ADDRESS);
}

Form3::Form3(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(kTitle);
    setFixedSize(twipsSize(7080, 3240));
    fillBackground(*this, QColor(255, 255, 192));

    auto* emblem = new Emblem(this);
    emblem->setObjectName("Picture1");
    emblem->setGeometry(twipsRect(240, 240, 1575, 2040));

    auto* name = makeLabel(this, "Label9", kSuiteTitle, twipsRect(2040, 180, 3600, 270));
    for (const Line& line : kLines) {
        makeLabel(this, line.name, QString::fromUtf8(line.text),
                  twipsRect(line.left, line.top, line.width, 270));
    }
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    name->setFont(big);
    name->resize(name->width(), px(600));
    inked(name, QColor(128, 64, 0));

    contact_ = new QLabel(QStringLiteral("E-mail: ") + contactAddress(), this);
    contact_->setObjectName("Label8");
    contact_->setGeometry(twipsRect(2040, 2550, 4800, 270));
    linkLook(contact_);
    contact_->setToolTip(QStringLiteral("Написать письмо"));
    contact_->installEventFilter(this);
}

void Form3::writeToContact() {
    if (!services_.urls.open(QUrl(QStringLiteral("mailto:") + contactAddress()))) {
        services_.dialogs.message(QString(), kNoMailProgram.arg(contactAddress()),
                                  MessageIcon::Information);
    }
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == contact_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        writeToContact();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tro
