#include "report/custom_image.h"

#include "output/draw_image.h"

void TppCustomImage::SetPicture(const TppPicture &value)
{
    m_picture = value;
    PictureChanged();
}

void TppCustomImage::PictureChanged()
{
    if (!AutoSize() || m_picture.Width() <= 0 || m_picture.Height() <= 0)
        return;
    SetBounds(mmLeft(), mmTop(),
              UnitsToMMThousandths(float(m_picture.Width()), utScreenPixels, raHorizontal),
              UnitsToMMThousandths(float(m_picture.Height()), utScreenPixels, raVertical));
}

std::unique_ptr<TppDrawCommand> TppCustomImage::CreateDrawCommand() const
{
    return std::make_unique<TppDrawImage>();
}
