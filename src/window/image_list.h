// il1: the six 16 x 16 icons of the results trees and the menus, drawn by the program.
#pragma once

#include <QIcon>
#include <QList>

namespace window {

enum ImageIndex {
    kImageQuery = 0,    // blue circle with a question mark
    kImageFirm = 1,     // green check mark
    kImageMessage = 2,  // red cross
    kImageCopy = 3,     // two documents
    kImageLoad = 4,     // open folder with a green arrow
    kImageEnter = 5,    // notepad with a pencil
};

// The six icons in index order.
QList<QIcon> MakeImageList();

}  // namespace window
