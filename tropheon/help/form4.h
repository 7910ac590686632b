#pragma once
// The Help window: what the suite is for and how to use it, in one scrolling text.

#include <QDialog>

#include "services.h"

namespace tro {

class Form4 : public QDialog {
    Q_OBJECT

  public:
    explicit Form4(Services& services, QWidget* parent = nullptr);
};

// The help text, with the addresses the suite was built with.
QString helpText();

}  // namespace tro
