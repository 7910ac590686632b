#pragma once
// What every program of the suite sets up once its QApplication exists: Qt's own texts
// (context menus, standard buttons) in Russian whatever the user's locale, and the font
// families the windows were laid out for.

#include <QString>

class QWidget;

namespace tro {

// The suite's name: the manager's window title, and the title of a message box that has
// no title of its own and no window to take one from.
inline const QString kSuiteTitle = QStringLiteral("Трофеон");

// The families the window layouts were measured with. Elsewhere than on Windows each is
// drawn with the free family of the same metrics (Liberation).
inline const QString kSansFamily = QStringLiteral("MS Sans Serif");
inline const QString kMonoFamily = QStringLiteral("Courier New");

// Maps the Windows families to their metric twins, makes the sans family the program's
// font (keeping the platform's size), and installs Qt's Russian catalogue when one is found.
// Returns false when no catalogue was found (the toolkit's texts stay as they are).
bool setUpApplication();

// The title a message box shows: its own when it has one, else the title of the window it
// belongs to, else the suite's name. A box never shows the program's file name.
[[nodiscard]] QString dialogTitle(const QString& title, const QWidget* parent);

}  // namespace tro
