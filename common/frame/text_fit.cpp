#include "text_fit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace tro {
namespace {

// The room an item view leaves beside the text of a row.
int rowTextMargin(const QWidget* view) {
    return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
}

void tipChosenEntry(QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect text = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, box);
    const QString chosen = box->currentText();
    box->setToolTip(box->fontMetrics().horizontalAdvance(chosen) > text.width() ? chosen
                                                                                : QString());
}

}  // namespace

void tipCutRows(QListWidget* list) {
    int room = list->contentsRect().width() - rowTextMargin(list);
    // Once the rows outgrow the list, the scroll bar takes its share of the width.
    const int rowHeight = list->count() > 0 ? list->sizeHintForRow(0) : 0;
    if (rowHeight * list->count() > list->contentsRect().height()) {
        room -= list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                           list->verticalScrollBar());
    }
    const QFontMetrics metrics(list->font());
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        const bool cut = metrics.horizontalAdvance(item->text()) > room;
        item->setToolTip(cut ? item->text() : QString());
    }
}

void fitDropDown(QComboBox* box) {
    QAbstractItemView* view = box->view();
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (int i = 0; i < box->count(); ++i) {
        widest = std::max(widest, metrics.horizontalAdvance(box->itemText(i)));
    }
    view->setMinimumWidth(widest + rowTextMargin(view) + 2 * view->frameWidth() +
                          view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view));
    static constexpr const char* kFollowed = "troTipFollowsChoice";
    if (!box->property(kFollowed).toBool()) {
        box->setProperty(kFollowed, true);
        QObject::connect(box, &QComboBox::currentTextChanged, box, [box] { tipChosenEntry(box); });
    }
    tipChosenEntry(box);
}

void tipCutCaption(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect text =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const bool cut = button->fontMetrics().horizontalAdvance(button->text()) > text.width();
    button->setToolTip(cut ? button->text() : QString());
}

}  // namespace tro
