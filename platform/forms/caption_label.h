// Which labels name a text or combo box, for the screen reader's announcement of the box.
// The forms place a box's caption by eye, so the rule reads the layout as a sighted user
// does: the captioned label just left of the box on its row, with no control between them
// that takes input; else the captioned label above it that overlaps its width, with nothing
// between but other elements of the box's own control array (a column heading names every
// box of its column) and no box of its own row. A caption of signs alone ("$", "%") is a unit, not a name. Over the
// caption may stand a heading that names a group of boxes ("Handling Units" over "No." and
// "Type"): a captioned label right above the caption that has no box of its own on its row.
// In a grid of boxes, with a caption left of each row and a heading over each column ("Low"
// and "High" over the rows "Origin" and "Destination"), a box is named by its row and its
// column, "Origin High". Only labels of the box's own container count.
#ifndef FRELANE_PLATFORM_FORMS_CAPTION_LABEL_H_
#define FRELANE_PLATFORM_FORMS_CAPTION_LABEL_H_

#include <string>

namespace forms {

class Control;
class Label;

struct BoxCaption {
  Label* label = nullptr;    // beside or above the box; nullptr when none names it
  Label* heading = nullptr;  // over the label, when there is one
  Label* row = nullptr;      // in a grid, the row's caption; the label is the column's
};

// The caption of `box` (a text or combo box) as its form lies now. Without one, a frame's
// caption is the best name the box has.
BoxCaption CaptionOf(Control& box);
// The name the caption gives: the row's, the heading's and the label's captions without their
// access key marks, "Handling Units No.", "Origin High"; "" without a label.
std::string CaptionName(const BoxCaption& caption);

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_CAPTION_LABEL_H_
