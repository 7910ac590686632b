#pragma once
// Texts that do not fit their control are shown whole as tooltips. Each helper measures with
// the control's own font at the time it is called, so call it once the texts are in place.

class QAbstractButton;
class QComboBox;
class QListWidget;

namespace tro {

// Every row of the list whose text is wider than the list carries it as its tooltip.
void tipCutRows(QListWidget* list);
// The drop-down's popup is made wide enough for its longest entry, and the box shows the
// chosen entry as its tooltip whenever the entry is wider than the box.
void fitDropDown(QComboBox* box);
// A button whose caption is wider than the button carries the caption as its tooltip.
void tipCutCaption(QAbstractButton* button);

}  // namespace tro
