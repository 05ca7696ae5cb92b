#pragma once

// A Letter report (6350 margins) built in code, the device that asks its
// publisher for pages, and a record of what the engine generated.

#include "output/draw_command.h"
#include "output/draw_text.h"
#include "output/page.h"
#include "output/publisher.h"
#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/label.h"
#include "report/report.h"
#include "tests/output/publishing_fixtures.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

// Records every page it draws as a copy, so that its commands can be read
// after the job.
class PageKeepingDevice : public RecordingDevice {
public:
    using RecordingDevice::RecordingDevice;

    void AcceptPage(TppPage &page) override
    {
        const int before = int(drawn.size());
        RecordingDevice::AcceptPage(page);
        if (drawn.size() > before) {
            auto copy = std::make_unique<TppPage>();
            copy->Assign(page);
            pages.push_back(std::move(copy));
        }
    }

    // Asks for pages the way a viewer or a printer does.
    void Request(const TppPageRequest &request)
    {
        PageRequest().Assign(request);
        RequestPages();
    }

    const TppPage *Last() const { return pages.empty() ? nullptr : pages.back().get(); }

    std::vector<std::unique_ptr<TppPage>> pages;
};

struct LetterSheet {
    static constexpr std::int32_t kPaperWidth = 215900;
    static constexpr std::int32_t kPaperHeight = 279401;
    static constexpr std::int32_t kMargin = 6350;
};

// Header 234686, detail 9790 and footer 4763 high, as on the results sheet;
// each band holds a label named after it, so its print position shows on
// the page.
class EngineReport {
public:
    EngineReport()
        : report(std::make_unique<TppReport>())
    {
        TppPrinterSetup &setup = report->PrinterSetup();
        setup.SetmmPaperWidth(LetterSheet::kPaperWidth);
        setup.SetmmPaperHeight(LetterSheet::kPaperHeight);
        setup.SetmmMarginLeft(LetterSheet::kMargin);
        setup.SetmmMarginTop(LetterSheet::kMargin);
        setup.SetmmMarginRight(LetterSheet::kMargin);
        setup.SetmmMarginBottom(LetterSheet::kMargin);
        header = Add<TppHeaderBand>(234686);
        detail = Add<TppDetailBand>(9790);
        footer = Add<TppFooterBand>(4763);
        headerLabel = Place(*header, "H", 1000, 2000);
        detailLabel = Place(*detail, "D", 3000, 1000);
        footerLabel = Place(*footer, "F", 5000, 500);
        device.SetPublisher(&report->Publisher());
        report->OnEndPage = [this](TppCustomReport &) {
            generated << report->Engine().PageNo();
            if (report->Engine().OutputPage())
                output << report->Engine().PageNo();
        };
    }

    ~EngineReport() { device.SetPublisher(nullptr); }

    template <typename Band>
    Band *Add(std::int32_t height)
    {
        auto *band = static_cast<Band *>(report->AddBand(std::make_unique<Band>()));
        band->SetmmHeight(height);
        return band;
    }

    TppLabel *Place(TppBand &band, const std::string &caption, std::int32_t left, std::int32_t top)
    {
        auto *label = static_cast<TppLabel *>(band.AddObject(std::make_unique<TppLabel>()));
        // Fixed bounds: a new caption is then no change of the layout.
        label->SetAutoSize(false);
        label->SetBounds(left, top, 20000, 4000);
        label->SetCaption(caption);
        return label;
    }

    // A report of `pages` pages: the detail band repeats until PageLimit.
    void Pages(int pages)
    {
        report->SetAutoStop(false);
        report->SetPageLimit(pages);
    }

    void CachePages(bool on)
    {
        report->SetCachePages(on);
        report->Publisher().SetCachePages(on);
    }

    void Request(const TppPageRequest &request)
    {
        generated.clear();
        output.clear();
        device.Request(request);
    }

    // The texts of a page's commands with their tops, in page order.
    static QStringList Texts(const TppPage &page)
    {
        QStringList texts;
        for (int i = 0; i < page.DrawCommandCount(); ++i) {
            const auto *text = dynamic_cast<const TppDrawText *>(page.DrawCommands(i));
            if (text)
                texts << QStringLiteral("%1@%2").arg(QString::fromStdString(text->Text())).arg(text->Top());
        }
        return texts;
    }

    std::unique_ptr<TppReport> report;
    TppHeaderBand *header = nullptr;
    TppDetailBand *detail = nullptr;
    TppFooterBand *footer = nullptr;
    TppLabel *headerLabel = nullptr;
    TppLabel *detailLabel = nullptr;
    TppLabel *footerLabel = nullptr;
    PageKeepingDevice device;
    QList<int> generated; // page numbers, in generation order
    QList<int> output;    // those generated as output pages
};
