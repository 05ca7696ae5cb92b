#pragma once

#include "platform/picture.h"
#include "report/component.h"

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

protected:
    using TppCustomComponent::TppCustomComponent;
    // With AutoSize the component takes the picture's pixel size.
    virtual void PictureChanged();

private:
    TppPicture m_picture;
    bool m_stretch = false;
    bool m_maintainAspectRatio = false;
    bool m_center = true;
    bool m_directDraw = false;
    int m_sequenceNumber = 0;
};
