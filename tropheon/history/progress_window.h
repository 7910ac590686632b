#pragma once
// "Прогресс": a player's rounds of the game and variant chosen in the main window as a chart
// (every result, the best so far and the median of the last ten) with the figures beside it,
// and a second page with every game of the catalogue at a glance. Thin: the figures come from
// progress.h.

#include <QColor>
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "history.h"
#include "services.h"

class QTabWidget;

namespace tro {

// The colour of the chart's points, one a round.
inline constexpr QRgb kRoundColourRgb = 0x1f5fbf;

struct ProgressGame {
    std::string id;
    std::string title;
    int direction = 1;  // below 0 a smaller result is better
    std::vector<std::string> variants;
};

struct ProgressRequest {
    std::string player;               // the current player; "" when there is none
    ProgressGame game;                // the game chosen in the main window
    int variant = 0;                  // its chosen variant, 1-based
    std::vector<ProgressGame> games;  // every game of the catalogue, for the overview
};

class ProgressWindow final : public QDialog {
  public:
    ProgressWindow(Services& services, History& history, ProgressRequest request,
                   QWidget* parent = nullptr);

    // Asks where "Сохранить CSV..." writes; empty when the player cancels. A test sets its own.
    std::function<QString()> chooseCsvFile;

  private:
    QWidget* gamePage();
    QWidget* overviewPage();
    void saveCsv();

    Services& services_;
    History& history_;
    ProgressRequest request_;
    QTabWidget* tabs_ = nullptr;
    bool overviewBuilt_ = false;
};

}  // namespace tro
