#include "form4.h"

#include <QPlainTextEdit>

#include "label_ink.h"
#include "twips.h"

namespace tro {
namespace {

const QString kTitle = QStringLiteral("Помощь");

}  // namespace

QString helpText() {
    return QStringLiteral(
               "Трофеон – программа для установления лучших результатов в различных "
               "состязаниях: на скорость реакции, ловкость обращения с мышью и клавиатурой, "
               "внимательность и глазомер.\n"
               "\n"
               "Выберите игру, щёлкнув по её названию в списке «ИГРА», а затем один из её "
               "вариантов в соседнем списке. Сразу же появятся двадцать лучших результатов "
               "этого вида игры.\n"
               "\n"
               "Чтобы начать игру, нажмите кнопку «Начать игру!».\n"
               "\n"
               "После игры, если результат попал в таблицу, программа покажет занятое место и "
               "список имён. Выберите в нём своё имя (или «Новое имя...», чтобы добавить себя) "
               "и нажмите OK. Если новый результат лучше вашего прежнего, он займёт его место "
               "в таблице, иначе ничего не изменится.\n"
               "\n"
               "Звуковые файлы.\n"
               "Звуки лежат в папке «sound» рядом с программой. Файлы можно удалять, заменять "
               "и добавлять. У добавленного файла начало имени должно остаться прежним, а "
               "меняться может только окончание: например, звук начала – это файл "
               "«start*.wav», где * – любые символы. Играются только файлы с расширением "
               "«.wav».\n"
               "\n"
               "Удаление результатов.\n"
               "Чтобы удалить результаты какой-либо игры и её варианта, удалите файл этой "
               "таблицы в папке «DATA» (в ней для каждой игры своя папка). Чтобы удалить "
               "список зарегистрированных игроков, удалите файл «users.dat».\n"
               "\n"
               "Свои результаты можно также послать по электронной почте на адрес %1 и "
               "попасть в таблицу чемпионов на сайте %2.\n"
               "\n"
               "Вопросы присылайте на адрес %3 с темой «Вопрос».\n")
        .arg(QStringLiteral(TRO_SUBMISSION_ADDRESS), QStringLiteral(TRO_WEB_ADDRESS),
             QStringLiteral(TRO_CONTACT_ADDRESS));
}

Form4::Form4(Services& /*services*/, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(kTitle);
    setFixedSize(twipsSize(8295, 5295));
    fillBackground(*this, QColor(0, 192, 192));

    auto* text = new QPlainTextEdit(helpText(), this);
    text->setObjectName("Text1");
    text->setGeometry(twipsRect(240, 120, 7815, 5055));
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

}  // namespace tro
