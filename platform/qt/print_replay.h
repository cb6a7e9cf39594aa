// Paints recorded printer pages with a QPainter: one small function per operation. The
// painter's unit must be one twip with the origin at the printable area's top-left corner
// (PaintDocument sets that up for a paged device).
#ifndef FRELANE_PLATFORM_QT_PRINT_REPLAY_H_
#define FRELANE_PLATFORM_QT_PRINT_REPLAY_H_

#include <QPagedPaintDevice>
#include <QPainter>

#include "platform/print/display_list.h"
#include "platform/print/print_system.h"

namespace qtbind {

void Replay(QPainter& painter, const print::op::Text& text);
void Replay(QPainter& painter, const print::op::Line& line);
void Replay(QPainter& painter, const print::op::Box& box);
void Replay(QPainter& painter, const print::op::DrawPicture& picture);

// Paints a page into `area` (twips) at its own scale. A page that runs past the area's foot is
// spaced to fit (page_fit.h); what lies past its sides is cut off there, as a printer's page
// cuts it, never shrunk.
void PaintPage(QPainter& painter, const print::Page& page, const print::PageArea& area);

// Paints every page of a job on a paged device whose paint rectangle is the printable area;
// `dots_per_inch` is the device's resolution. False when painting could not start.
bool PaintDocument(QPagedPaintDevice& device, int dots_per_inch, const print::Document& document,
                   const print::PageArea& area);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_PRINT_REPLAY_H_
