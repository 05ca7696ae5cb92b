// TppPreviewPlugIn: the slot naming the class that builds a preview window's contents.
#pragma once

#include <functional>
#include <memory>

class QWidget;
class TppCustomPreview;

// The one process-wide slot that says which class builds the contents of a
// print preview window (its tool bar, viewer and keys). The program puts
// TppPreview there at start-up and clears it at shut-down; an empty slot
// means TppPreview.
namespace TppPreviewPlugIn {

using Factory = std::function<std::unique_ptr<TppCustomPreview>(QWidget &form)>;

void Register(Factory factory);
void UnRegister();
// The registered class's preview built into the window, or a TppPreview.
std::unique_ptr<TppCustomPreview> CreatePreview(QWidget &form);

} // namespace TppPreviewPlugIn
