#pragma once

#include "output/component_base.h"
#include "output/data_type.h"

#include <cstdint>
#include <functional>
#include <memory>

class TppDrawTarget;
class TppPage;

// A rectangle in device pixels, right and bottom exclusive as drawn.
struct TppDeviceRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool Contains(std::int32_t x, std::int32_t y) const
    {
        return x >= Left && x <= Right && y >= Top && y <= Bottom;
    }
    friend bool operator==(const TppDeviceRect &, const TppDeviceRect &) = default;
};

// One drawing instruction of a generated page. Geometry is in thousandths of
// a millimetre from the paper's top-left corner. A command belongs to the page
// it is attached to (TppPage::AddDrawCommand); until then, to its creator.
class TppDrawCommand : public TppComponentBase {
public:
    using ClickHandlerType = std::function<void(TppDrawCommand &)>;


    // A new, empty command of the same class.
    virtual std::unique_ptr<TppDrawCommand> CreateSameClass() const = 0;

    // Copies every shared field (not Page, not RedrawPage); a subclass copies its
    // own fields too when the source is of its class.
    virtual void Assign(const TppDrawCommand &source);

    // Hands the command to the device; True when the device drew it.
    bool DrawOnDevice(TppDrawTarget &device);
    // Same geometry; subclasses add their own fields and answer False for a
    // command of another class.
    virtual bool SameContentAs(const TppDrawCommand &other) const;
    virtual bool NeedsPageTotals() const { return false; }
    // True when the text changed and must be drawn again.
    virtual bool UpdateFromPage() { return false; }

    bool Clickable() const { return m_clickable; }
    void SetClickable(bool value) { m_clickable = value; }

    TppDataType DataType() const { return m_dataType; }
    void SetDataType(TppDataType value) { m_dataType = value; }

    std::int32_t DeviceLeft() const { return m_device.Left; }
    std::int32_t DeviceTop() const { return m_device.Top; }
    std::int32_t DeviceRight() const { return m_device.Right; }
    std::int32_t DeviceBottom() const { return m_device.Bottom; }
    void SetDeviceLeft(std::int32_t value) { m_device.Left = value; }
    void SetDeviceTop(std::int32_t value) { m_device.Top = value; }
    void SetDeviceRight(std::int32_t value) { m_device.Right = value; }
    void SetDeviceBottom(std::int32_t value) { m_device.Bottom = value; }
    const TppDeviceRect &DeviceBounds() const { return m_device; }
    void SetDeviceBounds(const TppDeviceRect &value) { m_device = value; }

    std::int32_t Left() const { return m_left; }
    std::int32_t Top() const { return m_top; }
    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }
    void SetLeft(std::int32_t value) { m_left = value; }
    void SetTop(std::int32_t value) { m_top = value; }
    void SetWidth(std::int32_t value) { m_width = value; }
    void SetHeight(std::int32_t value) { m_height = value; }

    const ClickHandlerType &ClickHandler() const { return m_clickHandler; }
    void SetClickHandler(ClickHandlerType handler) { m_clickHandler = std::move(handler); }
    // Runs the click handler, when there is one.
    void Click();

    bool RedrawPage() const { return m_redrawPage; }
    void SetRedrawPage(bool value) { m_redrawPage = value; }

    // The page that holds the command, or none.
    TppPage *Page() const { return m_page; }

protected:
    explicit TppDrawCommand(TppDataType dataType) : m_dataType(dataType) { }

private:
    friend class TppPage;

    bool m_clickable = false;
    TppDataType m_dataType;
    TppDeviceRect m_device;
    std::int32_t m_left = 0;
    std::int32_t m_height = 0;
    ClickHandlerType m_clickHandler;
    TppPage *m_page = nullptr;
    bool m_redrawPage = false;
    std::int32_t m_top = 0;
    std::int32_t m_width = 0;
};
