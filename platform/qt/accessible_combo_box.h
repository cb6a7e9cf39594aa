// What a screen reader is told about the host's combo boxes. Qt's own account names a combo
// box by its current text on Linux and leaves its caption to the label relation, so a
// column of combos under one heading (which no single label can be buddy to) would be
// announced by their values alone. Ours names a combo by its accessible name (the caption
// the host gave it), else as any widget is named (its buddy label, its frame's caption),
// and gives its text as the value. Its children are those of Qt's own account: the drop-down
// list with its items, and an editable box's edit field.
#ifndef FRELANE_PLATFORM_QT_ACCESSIBLE_COMBO_BOX_H_
#define FRELANE_PLATFORM_QT_ACCESSIBLE_COMBO_BOX_H_

class QComboBox;

namespace qtbind {

// Marks a combo box the host made as one that takes the interface below, and installs the
// interface's factory in Qt once.
void UseAccessibleComboBox(QComboBox& combo);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_ACCESSIBLE_COMBO_BOX_H_
