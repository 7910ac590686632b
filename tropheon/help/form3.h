#pragma once
// The About window: the emblem, the dates, the credits and the contact address.

#include <QDialog>

#include "services.h"

class QLabel;

namespace tro {

QString contactAddress();

class Form3 : public QDialog {
    Q_OBJECT

  public:
    explicit Form3(Services& services, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void writeToContact();

    Services& services_;
    QLabel* contact_ = nullptr;
};

}  // namespace tro
