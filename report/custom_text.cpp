#include "report/custom_text.h"

#include "output/draw_text.h"
#include "report/band.h"
#include "report/band_context.h"

void TppCustomText::SetCharWrap(bool value)
{
    if (value == m_charWrap)
        return;
    m_charWrap = value;
    if (!IsReading())
        Changed();
}

std::unique_ptr<TppDrawCommand> TppCustomText::CreateDrawCommand() const
{
    return std::make_unique<TppDrawText>();
}

void TppCustomText::FillDrawCommand(TppBandContext &context, TppDrawCommand &command)
{
    auto &text = static_cast<TppDrawText &>(command);
    text.SetText(PrintText());
    text.SetAlignment(Alignment());
    text.SetTextAlignment(TextAlignment());
    text.SetAutoSize(AutoSize());
    text.SetColor(Color());
    text.SetTransparent(Transparent());
    text.SetFont(Font());
    text.SetWordWrap(WordWrap());
    if (WordWrap()) {
        // Lines that do not fit the rectangle's height are left out.
        const TppTextRect rect{PrintLeft(), PrintTop(), PrintRight(), PrintBottom()};
        std::size_t position = 0;
        m_wrapCache.Wrap(text.Text(), rect, text.WrappedText(), position, context.MeasuringCanvas(),
                         TppStringList(), 0, m_charWrap, Font(), AutoSize(), TextAlignment());
    }
    text.SetForceJustifyLastLine(false);
    text.SetDataType(dtString);
    text.SetBandSave(Band() && Band()->Save());
    text.SetBandSaveNo(0);
    text.SetComponentSave(m_save);
    text.SetComponentSaveNo(m_saveOrder);
    text.SetSaveLength(m_saveLength);
}
