#pragma once
// Texts that do not fit their control are shown whole as tooltips. Whether a text fits is
// decided when the tooltip is asked for, with the control's font and size of that moment,
// so nothing is measured while a window is being built.

class QAbstractButton;
class QComboBox;
class QListWidget;

namespace tro {

// A row of the list whose text is wider than the list shows it as its tooltip.
void tipCutRows(QListWidget* list);
// A button whose caption is wider than the button shows it as its tooltip.
void tipCutCaption(QAbstractButton* button);
// The drop-down's popup is made wide enough for its longest entry (call it again after
// adding entries), and the box shows the chosen entry as its tooltip when the box is too
// narrow for it.
void fitDropDown(QComboBox* box);

}  // namespace tro
