#include "text_fit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QListWidget>

namespace tro {
namespace {

// A row whose text does not fit the room the list leaves beside it (the viewport less a
// margin) shows its whole text as its tooltip, even when the viewport alone would hold it.
TEST(TextFit, ACutListRowShowsItsTextAsItsTooltip) {
    QListWidget list;
    tipCutRows(&list);
    auto* item = new QListWidgetItem(QStringLiteral("Иван Петрович Сидоров"), &list);
    list.show();
    const int text = list.fontMetrics().horizontalAdvance(item->text());
    for (const auto& [spare, cut] : {std::pair{1, true}, {40, false}}) {
        list.resize(list.width() + text + spare - list.viewport()->width(), 80);
        QHelpEvent help(QEvent::ToolTip, list.visualItemRect(item).center(), QCursor::pos());
        QApplication::sendEvent(list.viewport(), &help);
        EXPECT_EQ(item->toolTip().isEmpty(), !cut) << spare;
    }
}

}  // namespace
}  // namespace tro
