// Every window of the suite in every variant, as a player first sees it: every control lies
// inside its window, and every text a control shows fits its box (a text cut on purpose
// carries the whole text as its tooltip).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <functional>
#include <memory>

#include "bolmen_window.h"
#include "bomvik_window.h"
#include "klavon_window.h"
#include "korvat_window.h"
#include "lines_window.h"
#include "okulen_window.h"
#include "rysko_window.h"
#include "testing/window_harness.h"
#include "tsepko_window.h"
#include "tsifran_window.h"
#include "vertun_window.h"
#include "widgets.h"

namespace tro {
namespace {

// What is wrong with the texts and places of `window`'s controls; empty when nothing is.
QStringList faults(QWidget& window, const QStringList& strips = {}) {
    QStringList found;
    const QRect inside = window.rect();
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window) || child->objectName().isEmpty() ||
            child->objectName().startsWith(QLatin1String("qt_"))) {
            continue;
        }
        const QString name = child->objectName();
        const QRect place(child->mapTo(&window, QPoint(0, 0)), child->size());
        if (!inside.contains(place) && !strips.contains(name)) {
            found << name + QStringLiteral(" lies outside the window");
        }
        QString text;
        QRect box = child->contentsRect();
        int flags = Qt::AlignLeft | Qt::AlignTop;
        if (auto* label = qobject_cast<QLabel*>(child)) {
            if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())) {
                continue;
            }
            text = label->text();
            box.adjust(label->margin(), label->margin(), -label->margin(), -label->margin());
            flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            text = button->text().remove(QLatin1Char('&'));
            flags = Qt::TextSingleLine;
            if (qobject_cast<QCheckBox*>(button)) {
                const int indicator =
                    button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                    button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
                box.setLeft(box.left() + indicator);
            } else {
                box.adjust(2, 1, -2, -1);  // the frame of a push button
            }
        }
        if (text.isEmpty() || child->toolTip() == text) {
            continue;
        }
        const QFontMetrics metrics(child->font());
        if (qobject_cast<QCheckBox*>(child) && box.height() >= 2 * metrics.lineSpacing()) {
            flags = Qt::TextWordWrap;  // a switch given room for two lines wraps its caption
        }
        QRect needed = metrics.boundingRect(box, flags, text);
        if (flags == Qt::TextSingleLine) {
            needed.setHeight(metrics.tightBoundingRect(text).height());  // the ink of one line
        }
        if (needed.width() > box.width() || needed.height() > box.height()) {
            found << QStringLiteral("%1: \"%2\" needs %3x%4 in %5x%6")
                         .arg(name, text.left(30))
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(box.width())
                         .arg(box.height());
        }
    }
    return found;
}

// A thousand draws of a fixed sequence.
std::vector<double> draws() {
    SequenceRandom sequence(7);
    std::vector<double> values(1000);
    for (double& value : values) {
        value = sequence.next();
    }
    return values;
}

struct GameCase {
    GameInfo info;
    std::function<void(int variant)> check;
};

// `strips`: controls whose text runs out past the window's edge on purpose.
template <class Window>
GameCase game(QStringList strips = {}) {
    return {Window::kInfo, [=](int variant) {
                testing::WindowHarness<Window> w(variant, draws());  // distinct mine cells
                ASSERT_NE(w.window, nullptr);
                const QStringList found = faults(*w.window, strips);
                EXPECT_EQ(found, QStringList{}) << found.join("; ").toStdString();
            }};
}

std::vector<GameCase> gameCases() {
    return {
        game<bomvik::BomvikWindow>(),
        game<vertun::VertunWindow>(),
        game<rysko::RyskoWindow>(),
        game<korvat::KorvatWindow>(),
        game<bolmen::BolmenWindow>(),
        game<tsifran::TsifranWindow>(),
        // the typed and the waiting text move through the window
        game<klavon::KlavonWindow>({"Label1", "Label2"}),
        game<tsepko::TsepkoWindow>(),
        game<lines::LinesWindow>(),
        game<okulen::OkulenWindow>(),
    };
}

TEST(AllWindows, TheCheckFindsACutTextAndAControlOutside) {
    QWidget window;
    window.resize(100, 50);
    makeLabel(&window, "Label1", QStringLiteral("a text far too long for its box"), {0, 0, 20, 10});
    makeLabel(&window, "Label2", QStringLiteral("x"), {90, 40, 30, 30});
    window.show();
    EXPECT_EQ(faults(window).size(), 2) << faults(window).join("; ").toStdString();
}

TEST(AllWindows, EveryControlIsThereInsideItsWindowWithItsTextWhole) {
    for (const GameCase& c : gameCases()) {
        for (int variant = 1; variant <= c.info.variantCount; ++variant) {
            SCOPED_TRACE(c.info.id + " " + std::to_string(variant));
            c.check(variant);
        }
    }
}

}  // namespace
}  // namespace tro
