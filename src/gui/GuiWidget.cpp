#include "gui/GuiWidget.h"

#include "gui/ImageList.h"

void CGuiWidget::Show(CImageList& images, float atX, float atY, bool over) {
    hover = over;
    if (over) {
        images.PlayOnceAt(atX, atY);
        hoverText.Print();
    } else {
        images.Rewind();
        images.DrawFrameAt(0, atX, atY);
    }
}
