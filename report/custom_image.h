#pragma once

#include "platform/picture.h"
#include "report/component.h"

#include <string>

// Base of pictures: the picture and how it is fitted into the rectangle.
class TppCustomImage : public TppCustomComponent {
public:
    const TppPicture &Picture() const { return m_picture; }
    // Copies the picture in; see PictureChanged.
    void SetPicture(const TppPicture &value);

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value) { m_stretch = value; }
    bool MaintainAspectRatio() const { return m_maintainAspectRatio; }
    void SetMaintainAspectRatio(bool value) { m_maintainAspectRatio = value; }
    bool Center() const { return m_center; }
    void SetCenter(bool value) { m_center = value; }
    bool DirectDraw() const { return m_directDraw; }
    void SetDirectDraw(bool value) { m_directDraw = value; }

    // Part of the image names of its draw commands; reset when a report starts.
    int SequenceNumber() const { return m_sequenceNumber; }
    void SetSequenceNumber(int value) { m_sequenceNumber = value; }

    std::unique_ptr<TppDrawCommand> CreateDrawCommand() const override;
    // A report starting again numbers its pictures from 0.
    void ResetGeneration() override;

protected:
    using TppCustomComponent::TppCustomComponent;
    // With AutoSize the component takes the picture's pixel size; a picture
    // changed while a page is generated for the first time gets the next
    // sequence number, so that its draw commands carry another image name.
    virtual void PictureChanged();
    void FillDrawCommand(TppBandContext &context, TppDrawCommand &command) override;

private:
    // "ppImage1", "ppImage2" ...: the first not used in the report.
    std::string FreeComponentName() const;

    TppPicture m_picture;
    bool m_stretch = false;
    bool m_maintainAspectRatio = false;
    bool m_center = true;
    bool m_directDraw = false;
    int m_sequenceNumber = 0;
};
