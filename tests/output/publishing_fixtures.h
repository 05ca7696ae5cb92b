#pragma once

// Shared by the publisher, device and page request tests: pages with given
// header fields, a device that records what it receives, and a page producer
// standing in for the page generation engine.

#include "output/device.h"
#include "output/draw_shape.h"
#include "output/page.h"
#include "output/page_request.h"
#include "output/publisher.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The header fields a publisher and its devices read.
struct PageHeader {
    int no = 1;
    int count = 1;
    bool first = false;
    bool last = false;
    bool final = true;
    bool calculation = false;
    int pageCount = 0; // 0: the same as `count`
    int groupBreak = 0;
};

inline void FillHeader(TppPage &page, const PageHeader &header)
{
    page.SetAbsolutePageNo(header.no);
    page.SetAbsolutePageCount(header.count);
    page.SetFirstPage(header.first);
    page.SetLastPage(header.last);
    page.SetFinal(header.final);
    page.SetCalculation(header.calculation);
    page.SetPageNo(header.no);
    page.SetPageCount(header.pageCount ? header.pageCount : header.count);
    page.SetControlGroupBreakNo(header.groupBreak);
}

inline std::unique_ptr<TppPage> MakePage(const PageHeader &header)
{
    auto page = std::make_unique<TppPage>();
    FillHeader(*page, header);
    return page;
}

// Page n of a run whose last page is `last`, as the engine finishes it.
inline std::unique_ptr<TppPage> FinishedPage(int no, int last)
{
    return MakePage({no, no, no == 1, no == last});
}

inline std::vector<std::string> Lines(const QStringList &list)
{
    std::vector<std::string> lines;
    for (const QString &line : list)
        lines.push_back(line.toStdString());
    return lines;
}

inline QStringList ToStringList(const std::vector<std::string> &lines)
{
    QStringList list;
    for (const std::string &line : lines)
        list << QString::fromStdString(line);
    return list;
}

inline TppPageRequest MakeRequest(TppPageSettingType setting, int requested = 1,
                                  const QStringList &list = {}, TppPageRangeType range = prAll)
{
    TppPageRequest request;
    request.SetPageSetting(setting);
    request.SetPageRequested(requested);
    request.SetPageList(Lines(list));
    request.SetPageRange(range);
    return request;
}

// A device that draws nothing but keeps a record of what reached it: every
// page offered, every page it would draw, every command it was asked to
// render, and its job events in a log that several devices may share.
class RecordingDevice : public TppDevice {
public:
    explicit RecordingDevice(QStringList *log = nullptr, QString name = QStringLiteral("device"))
        : m_log(log)
        , m_name(std::move(name))
    {
        OnJobOpened = [this](TppDevice &) { Log(QStringLiteral("opened")); };
        OnJobClosed = [this](TppDevice &) { Log(QStringLiteral("closed")); };
        OnJobAbandoned = [this](TppDevice &) { Log(QStringLiteral("abandoned")); };
        OnPageRequestDue = [this](TppDevice &) { Log(QStringLiteral("request due")); };
    }

    static const TppDeviceClass &StaticClass()
    {
        static const TppDeviceClass recordingClass("RecordingDevice", "Recording",
                                                   &TppDevice::StaticClass(), []() -> std::unique_ptr<TppDevice> {
                                                       return std::make_unique<RecordingDevice>();
                                                   });
        return recordingClass;
    }
    const TppDeviceClass &Class() const override { return StaticClass(); }

    bool IgnoresNonFinalPages() const override { return ignoresNonFinalPages; }

    void AcceptPage(TppPage &page) override
    {
        TppDevice::AcceptPage(page);
        offered << page.AbsolutePageNo();
        if (JobOpen() && PageWanted() && !SuppressPage()) {
            drawn << page.AbsolutePageNo();
            DrawPageCommands(page);
        }
    }

    bool RenderCommand(TppDrawCommand &command) override
    {
        rendered << command.Left();
        return true;
    }

    bool ignoresNonFinalPages = true;
    QList<int> offered;
    QList<int> drawn;
    QList<int> rendered; // Left of every command rendered

private:
    void Log(const QString &what)
    {
        if (m_log)
            *m_log << m_name + QLatin1Char(' ') + what;
    }

    QStringList *m_log;
    QString m_name;
};

// Stands in for the page generation engine, which is built later on top of
// this publisher. It answers OnPagesNeeded for a one-pass report of
// `pageCount` pages the way the engine chooses pages: every page up to the
// one asked for is produced (each first published at its start as a counting
// page, then finished), and a page is an output page when the publisher caches
// pages or when the request names it. Each output page carries one command.
class PageProducer {
public:
    PageProducer(TppPublisher &publisher, int pageCount)
        : m_publisher(publisher)
        , m_pageCount(pageCount)
    {
        publisher.OnPagesNeeded = [this](TppPublisher &, const TppPageRequest &request) {
            Produce(request);
        };
    }

    int calls = 0;
    QList<TppPageRequest> requests;
    QList<int> produced; // output pages, in production order
    std::function<void(int pageNo)> beforePage;

private:
    void Produce(const TppPageRequest &request)
    {
        ++calls;
        requests << request;
        switch (request.PageSetting()) {
        case psAll:
            ProduceEveryPage(m_pageCount);
            break;
        case psFirstPage:
            ProduceEveryPage(1);
            break;
        case psSinglePage: {
            int target = std::max(1, int(request.PageRequested()));
            target = std::min(target, m_pageCount);
            ProduceUpTo(target, [target](int no) { return no == target; });
            break;
        }
        case psLastPage:
            ProduceUpTo(m_pageCount, [this](int no) { return no == m_pageCount; });
            break;
        case psPageList:
            for (const std::string &line : request.PageList()) {
                bool number = false;
                const int no = QString::fromStdString(line).toInt(&number);
                if (number && no >= 1 && no <= m_pageCount)
                    ProduceUpTo(no, [no](int n) { return n == no; });
            }
            break;
        case psPageRange:
            break;
        }
    }

    // All pages and the first page are produced from page 1 on.
    void ProduceEveryPage(int last)
    {
        for (int no = 1; no <= last; ++no)
            Generate(no, true);
    }

    void ProduceUpTo(int target, const std::function<bool(int)> &named)
    {
        for (int no = 1; no <= target; ++no) {
            // Pages before the last one generated come from saved state and
            // are produced again only when asked for.
            if (no < target && no <= m_generated)
                continue;
            Generate(no, m_publisher.CachePages() || named(no));
        }
    }

    void Generate(int no, bool output)
    {
        if (beforePage)
            beforePage(no);
        m_count = std::max(m_count, no);
        TppPage page;
        FillHeader(page, {no, m_count, no == 1, false, true, true});
        m_publisher.PublishPage(page);

        FillHeader(page, {no, m_count, no == 1, no == m_pageCount, true, !output});
        if (output) {
            auto command = std::make_unique<TppDrawShape>();
            command->SetLeft(1000 * no);
            page.AddDrawCommand(std::move(command));
            produced << no;
        }
        m_generated = std::max(m_generated, no);
        m_publisher.PublishPage(page);
    }

    TppPublisher &m_publisher;
    int m_pageCount;
    int m_count = 0;
    int m_generated = 0;
};
