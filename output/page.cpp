#include "output/page.h"

#include "assets/library_texts.h"
#include "output/draw_command.h"
#include "output/draw_target.h"
#include "output/printer_setup.h"

#include <algorithm>

namespace {

// Removes the command from an auxiliary list, and frees the list when that
// left it empty.
void Remove(std::unique_ptr<std::vector<TppDrawCommand *>> &list, TppDrawCommand *command)
{
    if (!list)
        return;
    const auto it = std::remove(list->begin(), list->end(), command);
    if (it == list->end())
        return;
    list->erase(it, list->end());
    if (list->empty())
        list.reset();
}

} // namespace

TppPage::TppPage() : m_printerSetup(std::make_unique<TppPrinterSetup>()) { }

TppPage::~TppPage() = default;

void TppPage::Assign(const TppComponentBase *source)
{
    const auto *page = dynamic_cast<const TppPage *>(source);
    if (!page)
        throw EAssignError(source, ClassName());
    if (page == this)
        return;
    m_absolutePageNo = page->m_absolutePageNo;
    m_absolutePageCount = page->m_absolutePageCount;
    m_calculation = page->m_calculation;
    m_controlGroupBreakNo = page->m_controlGroupBreakNo;
    m_documentName = page->m_documentName;
    m_final = page->m_final;
    m_firstPage = page->m_firstPage;
    m_languageIndex = page->m_languageIndex;
    m_lastPage = page->m_lastPage;
    m_passSetting = page->m_passSetting;
    m_pageCount = page->m_pageCount;
    m_pageNo = page->m_pageNo;
    m_printDateTime = page->m_printDateTime;
    m_report = page->m_report;
    m_printerSetup->Assign(*page->m_printerSetup);
    ClearDrawCommands();
    for (const auto &command : page->m_commands) {
        auto copy = command->CreateSameClass();
        copy->Assign(*command);
        AddDrawCommand(std::move(copy));
    }
}

void TppPage::ClearDrawCommands()
{
    // The lists hold pointers into the commands: empty them before freeing.
    if (m_clickable)
        m_clickable->clear();
    if (m_pageTotals)
        m_pageTotals->clear();
    m_commands.clear();
}

void TppPage::ResetPage()
{
    ClearDrawCommands();
    m_absolutePageNo = 0;
    m_absolutePageCount = 0;
    m_controlGroupBreakNo = 0;
    m_languageIndex = 0;
    m_pageCount = 0;
    m_pageNo = 0;
    m_calculation = false;
    m_final = false;
    m_lastPage = false;
    m_documentName.clear();
}

TppDrawCommand *TppPage::AddDrawCommand(std::unique_ptr<TppDrawCommand> command)
{
    if (!command)
        return nullptr;
    TppDrawCommand *raw = command.get();
    m_commands.push_back(std::move(command));
    Attach(raw);
    return raw;
}

std::unique_ptr<TppDrawCommand> TppPage::RemoveDrawCommand(TppDrawCommand *command)
{
    const auto it = std::find_if(m_commands.begin(), m_commands.end(),
                                 [command](const auto &owned) { return owned.get() == command; });
    if (it == m_commands.end())
        return nullptr;
    std::unique_ptr<TppDrawCommand> released = std::move(*it);
    m_commands.erase(it);
    Detach(command);
    return released;
}

void TppPage::Attach(TppDrawCommand *command)
{
    command->m_page = this;
    if (command->NeedsPageTotals()) {
        if (!m_pageTotals)
            m_pageTotals = std::make_unique<std::vector<TppDrawCommand *>>();
        m_pageTotals->push_back(command);
    }
    if (command->Clickable()) {
        if (!m_clickable)
            m_clickable = std::make_unique<std::vector<TppDrawCommand *>>();
        m_clickable->push_back(command);
    }
}

// Leaves the command list itself to the caller; the auxiliary lists are freed
// once empty, so that "has a list" keeps meaning "has such commands".
void TppPage::Detach(TppDrawCommand *command)
{
    // Looked up whatever the flags say now: they may have changed since.
    Remove(m_clickable, command);
    Remove(m_pageTotals, command);
    command->m_page = nullptr;
}

TppDrawCommand *TppPage::DrawCommands(int index) const
{
    if (index < 0 || index >= DrawCommandCount())
        return nullptr;
    return m_commands[std::size_t(index)].get();
}

TppDrawCommand *TppPage::ClickableCommands(int index) const
{
    if (!m_clickable || index < 0 || index >= int(m_clickable->size()))
        return nullptr;
    return (*m_clickable)[std::size_t(index)];
}

void TppPage::RefreshPageTotals(TppDrawTarget *device)
{
    if (!m_pageTotals)
        return;
    // A copy: a device may redraw, but never changes the page's lists.
    const std::vector<TppDrawCommand *> commands = *m_pageTotals;
    for (TppDrawCommand *command : commands) {
        if (command->UpdateFromPage() && device)
            device->RefreshText(*command);
    }
}

std::string TppPage::PageCaption() const
{
    return LibraryText(ltPage, m_languageIndex) + ' ' + std::to_string(m_absolutePageNo) + ' ' + LibraryText(ltOf, m_languageIndex)
        + ' ' + std::to_string(m_absolutePageCount);
}

std::string TppPage::PageNoCaption() const
{
    return LibraryText(ltPage, m_languageIndex) + ' ' + std::to_string(m_absolutePageNo);
}

void TppPage::SetPrinterSetup(const TppPrinterSetup *setup)
{
    if (setup)
        m_printerSetup->Assign(*setup);
}

const TppPageDef &TppPage::PageDef() const
{
    return m_printerSetup->PageDef();
}
