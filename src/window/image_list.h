// The seven 16 x 16 icons of the results trees and the menus, drawn by the program.
#pragma once

#include <QIcon>
#include <QList>

#include "window/result_nodes.h"

namespace window {

enum ImageIndex {
    kImageQuery = window::kQueryIcon,      // blue circle with a question mark
    kImageFirm = window::kFirmIcon,        // green check mark
    kImageMessage = window::kMessageIcon,  // red cross
    kImageCopy = 3,                        // two documents
    kImageLoad = 4,                        // open folder with a green arrow
    kImageEnter = 5,                       // notepad with a pencil
    kImageRunning = 6,                     // hourglass: a query still running
    kImageCount = 7,
};

// The icons in index order.
QList<QIcon> MakeImageList();

}  // namespace window
