#include "editor/ConfirmPlacement.h"

QPoint confirmReplacePosition(const QPoint &match, int lineHeight, const QRect &client, const QSize &dialog)
{
    // The client area's right edge is exclusive: left + width.
    const int clientRight = client.left() + client.width();
    int x = match.x();
    if (dialog.width() >= client.width()) {
        x = client.left() - (dialog.width() - client.width()) / 2;
    } else if (x + dialog.width() > clientRight) {
        x = clientRight - dialog.width();
    }

    const int lineBottom = match.y() + lineHeight;
    const int twoThirds = (client.height() * 2 + 1) / 3; // rounded to the nearest pixel
    const int y = lineBottom > client.top() + twoThirds ? match.y() - dialog.height() - 4 : lineBottom + 4;
    return {x, y};
}
