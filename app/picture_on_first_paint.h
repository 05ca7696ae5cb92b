#pragma once

class QLabel;
class QString;

// Gives a picture label its picture when it is first painted instead of when
// its window is built: the windows are all built at start-up, most are shown
// much later or never, and decoding their pictures would only delay the
// first window. Until then the label's pixmap is empty.
void ShowPictureOnFirstPaint(QLabel &label, const QString &resource);
