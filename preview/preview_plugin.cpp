// TppPreviewPlugIn: the slot naming the class that builds a preview window's contents.
#include "preview/preview_plugin.h"

#include "preview/preview.h"

namespace TppPreviewPlugIn {

namespace {

Factory &Slot()
{
    static Factory slot;
    return slot;
}

} // namespace

void Register(Factory factory)
{
    Slot() = std::move(factory);
}

void UnRegister()
{
    Slot() = nullptr;
}

std::unique_ptr<TppCustomPreview> CreatePreview(QWidget &form)
{
    if (const Factory &factory = Slot())
        return factory(form);
    return std::make_unique<TppPreview>(form);
}

} // namespace TppPreviewPlugIn
