// Alignment of a control to the top edge of its parent: it keeps its height and follows the
// parent's width, while the parent's other controls keep their places and sizes.
#pragma once

class QWidget;

void alignToTop(QWidget *control);
