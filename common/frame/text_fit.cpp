#include "text_fit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace tro {
namespace {

// The room an item view leaves beside the text of a row.
int rowTextMargin(const QWidget* view) {
    return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
}

bool captionCut(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return button->fontMetrics().horizontalAdvance(button->text()) > room.width();
}

bool choiceCut(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect room = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, box);
    return box->fontMetrics().horizontalAdvance(box->currentText()) > room.width();
}

// Sets the tooltip of what is under the pointer just before the control shows it.
class CutTextTips final : public QObject {
  public:
    explicit CutTextTips(QObject* parent) : QObject(parent) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return false;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
            button->setToolTip(captionCut(button) ? button->text() : QString());
        } else if (auto* box = qobject_cast<QComboBox*>(watched)) {
            box->setToolTip(choiceCut(box) ? box->currentText() : QString());
        } else if (auto* list = qobject_cast<QListWidget*>(parent())) {
            const QPoint pos = static_cast<QHelpEvent*>(event)->pos();
            if (QListWidgetItem* item = list->itemAt(pos)) {
                const int room = list->viewport()->width() - rowTextMargin(list);
                const bool cut = list->fontMetrics().horizontalAdvance(item->text()) > room;
                item->setToolTip(cut ? item->text() : QString());
            }
        }
        return false;
    }
};

void watch(QWidget* owner, QWidget* target) {
    static const QString kName = QStringLiteral("troCutTextTips");
    if (owner->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly) == nullptr) {
        auto* tips = new CutTextTips(owner);
        tips->setObjectName(kName);
        target->installEventFilter(tips);
    }
}

}  // namespace

void tipCutRows(QListWidget* list) {
    watch(list, list->viewport());
}

void tipCutCaption(QAbstractButton* button) {
    watch(button, button);
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
    watch(box, box);
}

}  // namespace tro
