#include "report/custom_image.h"

#include "output/draw_image.h"
#include "report/band.h"
#include "report/band_context.h"
#include "report/custom_report.h"
#include "report/engine.h"

#include <string>

void TppCustomImage::SetPicture(const TppPicture &value)
{
    m_picture = value;
    PictureChanged();
}

void TppCustomImage::PictureChanged()
{
    if (AutoSize() && m_picture.Width() > 0 && m_picture.Height() > 0) {
        SetBounds(mmLeft(), mmTop(),
                  UnitsToMMThousandths(float(m_picture.Width()), utScreenPixels, raHorizontal),
                  UnitsToMMThousandths(float(m_picture.Height()), utScreenPixels, raVertical));
    }
    // Outside its band's turn (the report's page events, another band's
    // handlers) the page being generated is the report engine's.
    const TppBandContext *context = Band() ? Band()->GenerationContext() : nullptr;
    if (!context && Report())
        context = &Report()->Engine();
    if (context && context->FirstGenerationOfPage())
        ++m_sequenceNumber;
}

std::unique_ptr<TppDrawCommand> TppCustomImage::CreateDrawCommand() const
{
    return std::make_unique<TppDrawImage>();
}

void TppCustomImage::ResetGeneration()
{
    TppCustomComponent::ResetGeneration();
    m_sequenceNumber = 0;
}

void TppCustomImage::FillDrawCommand(TppBandContext &, TppDrawCommand &command)
{
    auto &image = static_cast<TppDrawImage &>(command);
    image.SetStretch(m_stretch);
    image.SetCenter(m_center);
    image.SetMaintainAspectRatio(m_maintainAspectRatio);
    image.SetDirectDraw(m_directDraw);
    image.SetTransparent(Transparent());
    image.SetPicture(m_picture);
    if (Name().empty())
        SetName(FreeComponentName());
    image.SetImageName(Name() + std::to_string(m_sequenceNumber));
    image.SetDataType(dtGraphic);
}

std::string TppCustomImage::FreeComponentName() const
{
    // Names are unique among the components of the report's bands.
    const std::string base = std::string("pp") + (ClassName() + 3);
    const TppCustomReport *report = Report();
    for (int number = 1;; ++number) {
        const std::string candidate = base + std::to_string(number);
        bool taken = false;
        for (int b = 0; report && !taken && b < report->BandCount(); ++b) {
            const TppBand *band = report->Bands(b);
            for (int i = 0; !taken && i < band->ObjectCount(); ++i)
                taken = band->Objects(i)->Name() == candidate;
        }
        if (!taken)
            return candidate;
    }
}
