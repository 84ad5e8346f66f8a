#include "ui/print_pictures.h"

#include "ui/icons.h"

namespace shiftex {

CellPictures PrintPictures()
{
    return [](const CellGraphic& graphic) -> QPixmap {
        switch (graphic.kind) {
        case GraphicKind::ImageList:
            return WorkingTypeIcon(graphic.index);
        case GraphicKind::Picture:
            return LockIcon(graphic.index == kLockPictureLocked).pixmap(16, 16);
        default:
            return {};
        }
    };
}

} // namespace shiftex
