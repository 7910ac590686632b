#pragma once
// The suite's emblem, a golden cup on a stand, drawn to any size.

#include <QWidget>

class QPainter;

namespace tro {

void paintEmblem(QPainter& painter, const QRectF& area);

class Emblem : public QWidget {
  public:
    explicit Emblem(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tro
