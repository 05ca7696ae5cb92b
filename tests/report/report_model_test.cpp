#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/shape.h"

#include <QtTest>

namespace {

// A report with one header band; the band and the report stay reachable.
struct Sheet {
    TppReport report;
    TppBand *header = report.AddBand(std::make_unique<TppHeaderBand>());

    // Named before it is placed, as a stored definition's components are.
    template<class T>
    T *Add(const char *name, TppBand *band = nullptr)
    {
        auto component = std::make_unique<T>();
        component->SetName(name);
        return static_cast<T *>((band ? band : header)->AddObject(std::move(component)));
    }
    int Resets() const { return report.Engine().ResetCount(); }
};

std::unique_ptr<TppBand> NewBand(const QString &kind)
{
    if (kind == "title") return std::make_unique<TppTitleBand>();
    if (kind == "header") return std::make_unique<TppHeaderBand>();
    if (kind == "column header") return std::make_unique<TppColumnHeaderBand>();
    if (kind == "detail") return std::make_unique<TppDetailBand>();
    if (kind == "column footer") return std::make_unique<TppColumnFooterBand>();
    if (kind == "footer") return std::make_unique<TppFooterBand>();
    if (kind == "summary") return std::make_unique<TppSummaryBand>();
    if (kind == "page style") return std::make_unique<TppPageStyle>();
    if (kind.startsWith("group header ")) {
        auto band = std::make_unique<TppGroupHeaderBand>();
        band->SetGroupNo(kind.mid(13).toInt());
        return band;
    }
    auto band = std::make_unique<TppGroupFooterBand>();
    band->SetGroupNo(kind.mid(13).toInt());
    return band;
}

QString KindsInOrder(const TppReport &report)
{
    QStringList names;
    for (int i = 0; i < report.BandCount(); ++i)
        names << QString::fromLatin1(report.Bands(i)->ClassName());
    return names.join(',');
}

} // namespace

class ReportModelTest : public QObject {
    Q_OBJECT

private slots:
    void derivedUserNames_data();
    void derivedUserNames();
    void takenUserNames_data();
    void takenUserNames();
    void userNameFollowsName();
    void defaultUserNames();
    void bandOrder_data();
    void bandOrder();
    void pageStyleLeadsWhileGenerating();
    void getBand_data();
    void getBand();
    void placingSetsBandTypeAndUnits();
    void movingComponentBetweenBands();
    void movingBandBetweenReports();
    void stretchingMemoMakesBandDynamic_data();
    void stretchingMemoMakesBandDynamic();
    void bandHeightRules_data();
    void bandHeightRules();
    void shrinkingBandMovesComponentsUp();
    void changesAnnounced_data();
    void changesAnnounced();
    void changeDuringPrintRequest();
    void printerSetupChange();
    void componentDefaults();
    void reportDefaults();
    void bandDefaults();
    void unitViews_data();
    void unitViews();
    void readingStoresUnitValuesAsThousandths();
    void parentWidthAndHeight();
    void labelsRefuseFullJustification();
    void defaultBands();
    void linksForgetDestroyedObjects();
    void eventSubscriptions();
};

void ReportModelTest::derivedUserNames_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("userName");
    QTest::newRow("ppMemo3") << "memo" << "ppMemo3" << "Memo3";
    QTest::newRow("Memo3") << "memo" << "Memo3" << "Memo3";
    QTest::newRow("ppLabel1") << "label" << "ppLabel1" << "Label1";
    QTest::newRow("ppShape12") << "shape" << "ppShape12" << "Shape12";
    QTest::newRow("PPImage1 (case matters)") << "image" << "PPImage1" << "PPImage1";
    // Nothing would be left: a placed label without a user name gets a free one.
    QTest::newRow("pp alone") << "label" << "pp" << "Label1";
}

void ReportModelTest::derivedUserNames()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    Sheet sheet;
    const std::string n = name.toStdString();
    TppComponent *c = kind == "memo" ? static_cast<TppComponent *>(sheet.Add<TppMemo>(n.c_str()))
        : kind == "label"            ? static_cast<TppComponent *>(sheet.Add<TppLabel>(n.c_str()))
        : kind == "shape"            ? static_cast<TppComponent *>(sheet.Add<TppShape>(n.c_str()))
                                     : static_cast<TppComponent *>(sheet.Add<TppImage>(n.c_str()));
    QTEST(QString::fromStdString(c->UserName()), "userName");
}

void ReportModelTest::takenUserNames_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("result");
    QTest::newRow("free") << QStringList{"Label"} << "Caption" << "Caption";
    QTest::newRow("taken, ends in a letter") << QStringList{"Label"} << "Label" << "Label1";
    QTest::newRow("and the next one") << QStringList{"Label", "Label1"} << "Label" << "Label2";
    QTest::newRow("taken, ends in a digit") << QStringList{"Label2"} << "Label2" << "Mine";
    QTest::newRow("taken, ends in 0") << QStringList{"Label0"} << "Label0" << "Label01";
    QTest::newRow("the report's own") << QStringList{} << "Report" << "Report1";
    QTest::newRow("not an identifier") << QStringList{} << "2nd" << "Mine";
    QTest::newRow("blank inside") << QStringList{} << "a b" << "Mine";
    QTest::newRow("empty") << QStringList{} << "" << "Mine";
}

void ReportModelTest::takenUserNames()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, wanted);
    Sheet sheet;
    int n = 0;
    for (const QString &name : taken)
        sheet.Add<TppLabel>(("ppOther" + std::to_string(++n)).c_str())->SetUserName(name.toStdString());
    TppLabel *mine = sheet.Add<TppLabel>("ppMine");
    mine->SetUserName("Mine");
    mine->SetUserName(wanted.toStdString());
    QTEST(QString::fromStdString(mine->UserName()), "result");
}

void ReportModelTest::userNameFollowsName()
{
    Sheet sheet;
    TppLabel *label = sheet.Add<TppLabel>("ppLabel1");
    label->SetName("ppLabel7");
    QCOMPARE(label->UserName(), std::string("Label7"));
    label->SetUserName("Total");
    label->SetName("ppLabel8");
    QCOMPARE(label->UserName(), std::string("Total"));
}

void ReportModelTest::defaultUserNames()
{
    TppReport report;
    QCOMPARE(report.UserName(), std::string("Report"));
    QCOMPARE(report.PrinterSetup().DocumentName(), std::string("Report"));
    QCOMPARE(TppHeaderBand().UserName(), std::string("Header"));
    QCOMPARE(TppFooterBand().UserName(), std::string("Footer"));
    QCOMPARE(TppDetailBand().UserName(), std::string("Detail"));
    QCOMPARE(TppPageStyle().UserName(), std::string("PageStyle"));
    // A component placed without a name gets a free one of its kind.
    Sheet sheet;
    sheet.Add<TppLabel>("ppLabel1");
    TppLabel *unnamed = static_cast<TppLabel *>(sheet.header->AddObject(std::make_unique<TppLabel>()));
    QCOMPARE(unnamed->UserName(), std::string("Label2"));
}

void ReportModelTest::bandOrder_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("order");
    QTest::newRow("page style, footer, detail, header")
        << QStringList{"page style", "footer", "detail", "header"}
        << "TppHeaderBand,TppDetailBand,TppFooterBand,TppPageStyle";
    QTest::newRow("every kind")
        << QStringList{"summary", "group footer 1", "page style", "column footer", "group header 2",
                       "detail", "title", "group footer 2", "footer", "column header", "group header 1",
                       "header"}
        << "TppTitleBand,TppHeaderBand,TppColumnHeaderBand,TppGroupHeaderBand,TppGroupHeaderBand,"
           "TppDetailBand,TppGroupFooterBand,TppGroupFooterBand,TppColumnFooterBand,TppFooterBand,"
           "TppSummaryBand,TppPageStyle";
}

void ReportModelTest::bandOrder()
{
    QFETCH(QStringList, added);
    TppReport report;
    for (const QString &kind : added)
        report.AddBand(NewBand(kind));
    QTEST(KindsInOrder(report), "order");
    // Group headers by number, group footers innermost (highest number) first.
    for (int i = 0; i < report.BandCount(); ++i) {
        TppBand *band = report.Bands(i);
        if (dynamic_cast<TppGroupHeaderBand *>(band))
            QCOMPARE(band->GroupNo(), dynamic_cast<TppGroupHeaderBand *>(report.Bands(i - 1)) ? 2 : 1);
        if (dynamic_cast<TppGroupFooterBand *>(band))
            QCOMPARE(band->GroupNo(), dynamic_cast<TppGroupFooterBand *>(report.Bands(i - 1)) ? 1 : 2);
    }
}

void ReportModelTest::pageStyleLeadsWhileGenerating()
{
    TppReport report;
    report.AddBand(std::make_unique<TppHeaderBand>());
    report.AddBand(std::make_unique<TppPageStyle>());
    report.SetPrinting(true);
    report.AddBand(std::make_unique<TppDetailBand>());
    QCOMPARE(KindsInOrder(report), QString("TppPageStyle,TppHeaderBand,TppDetailBand"));
    report.SetPrinting(false);
    report.SortBands();
    QCOMPARE(KindsInOrder(report), QString("TppHeaderBand,TppDetailBand,TppPageStyle"));
}

void ReportModelTest::getBand_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("found");
    QTest::newRow("header") << 0 << 0 << "TppHeaderBand";
    QTest::newRow("detail") << 4 << 0 << "TppDetailBand";
    QTest::newRow("footer") << 8 << 0 << "TppFooterBand";
    QTest::newRow("page style absent") << 9 << 0 << "";
    QTest::newRow("title absent") << 1 << 0 << "";
    QTest::newRow("group header 3") << 3 << 3 << "TppGroupHeaderBand";
    QTest::newRow("group header 4 absent") << 3 << 4 << "";
    QTest::newRow("out of range") << 12 << 0 << "";
    QTest::newRow("negative") << -1 << 0 << "";
}

void ReportModelTest::getBand()
{
    QFETCH(int, code);
    QFETCH(int, group);
    TppReport report;
    for (const char *kind : {"header", "detail", "footer", "group header 3"})
        report.AddBand(NewBand(kind));
    TppBand *band = report.GetBand(code, group);
    QTEST(band ? QString::fromLatin1(band->ClassName()) : QString(), "found");
}

void ReportModelTest::placingSetsBandTypeAndUnits()
{
    TppReport report;
    report.SetUnits(utMillimeters);
    TppBand *footer = report.AddBand(std::make_unique<TppFooterBand>());
    QCOMPARE(footer->Units(), utMillimeters);
    auto label = std::make_unique<TppLabel>();
    QCOMPARE(label->BandType(), 4);
    label->SetBandType(0);
    QCOMPARE(label->BandType(), 0); // free: the stored value is kept
    TppComponent *placed = footer->AddObject(std::move(label));
    QCOMPARE(placed->BandType(), 8);
    QCOMPARE(placed->Units(), utMillimeters);
    placed->SetBandType(2); // placed: its band decides
    QCOMPARE(placed->BandType(), 8);
    QVERIFY(placed->Report() == &report);
    report.SetUnits(utInches);
    QCOMPARE(placed->Units(), utInches);
}

void ReportModelTest::movingComponentBetweenBands()
{
    Sheet sheet;
    TppBand *detail = sheet.report.AddBand(std::make_unique<TppDetailBand>());
    TppLabel *label = sheet.Add<TppLabel>("ppLabel1");
    sheet.Add<TppLabel>("ppLabel2");
    label->SetBand(detail);
    QCOMPARE(sheet.header->ObjectCount(), 1);
    QCOMPARE(detail->ObjectCount(), 1);
    QVERIFY(detail->Objects(0) == label);
    QCOMPARE(label->BandType(), 4);
    std::unique_ptr<TppComponent> taken = detail->RemoveObject(label);
    QVERIFY(taken.get() == label);
    QVERIFY(label->Band() == nullptr);
    QCOMPARE(detail->ObjectCount(), 0);
}

void ReportModelTest::movingBandBetweenReports()
{
    Sheet from;
    TppReport to;
    to.SetUnits(utMillimeters);
    TppBand *footer = to.AddBand(std::make_unique<TppFooterBand>());
    TppLabel *label = from.Add<TppLabel>("ppLabel1");
    const int resets = to.Engine().ResetCount();
    from.header->SetReport(&to);
    QCOMPARE(from.report.BandCount(), 0);
    QCOMPARE(KindsInOrder(to), QString("TppHeaderBand,TppFooterBand"));
    QVERIFY(from.header->Report() == &to);
    QCOMPARE(from.header->Index(), 0);
    QCOMPARE(footer->Index(), 1);
    QVERIFY(label->Report() == &to);
    QCOMPARE(label->Units(), utMillimeters);
    QVERIFY(to.Engine().ResetCount() > resets);
}

void ReportModelTest::stretchingMemoMakesBandDynamic_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("reading");
    QTest::addColumn<int>("printHeight");
    QTest::newRow("stretching memo") << true << false << int(phDynamic);
    QTest::newRow("memo that does not stretch") << false << false << int(phStatic);
    QTest::newRow("stretching memo read from a definition") << true << true << int(phStatic);
}

void ReportModelTest::stretchingMemoMakesBandDynamic()
{
    QFETCH(bool, stretch);
    QFETCH(bool, reading);
    Sheet sheet;
    auto memo = std::make_unique<TppMemo>();
    memo->SetStretch(stretch);
    if (reading)
        sheet.report.BeginReading();
    sheet.header->AddObject(std::move(memo));
    sheet.report.EndReading();
    QTEST(int(sheet.header->PrintHeight()), "printHeight");
}

void ReportModelTest::bandHeightRules_data()
{
    QTest::addColumn<bool>("inReport");
    QTest::addColumn<bool>("withComponent");
    QTest::addColumn<bool>("dynamic");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stored");
    // Letter with quarter-inch margins: 279401 - 12700 printable.
    QTest::newRow("-5, no components") << true << false << false << -5 << 0;
    QTest::newRow("-5, with components") << true << true << false << -5 << 13229;
    QTest::newRow("-5, no report") << false << true << false << -5 << 0;
    QTest::newRow("0 with components") << true << true << false << 0 << 13229;
    QTest::newRow("fits the page") << true << true << false << 266701 << 266701;
    QTest::newRow("taller than the page") << true << true << false << 266702 << 13229;
    QTest::newRow("taller, dynamic band") << true << true << true << 300000 << 300000;
    QTest::newRow("taller, no report") << false << false << false << 300000 << 300000;
}

void ReportModelTest::bandHeightRules()
{
    QFETCH(bool, inReport);
    QFETCH(bool, withComponent);
    QFETCH(bool, dynamic);
    QFETCH(int, height);
    TppReport report;
    report.PrinterSetup().SetmmPaperWidth(215900);
    report.PrinterSetup().SetmmPaperHeight(279401);
    std::unique_ptr<TppBand> own = std::make_unique<TppDetailBand>();
    TppBand *band = inReport ? report.AddBand(std::move(own)) : own.get();
    if (withComponent)
        band->AddObject(std::make_unique<TppShape>());
    if (dynamic)
        band->SetPrintHeight(phDynamic);
    band->SetmmHeight(height);
    QTEST(band->mmHeight(), "stored");
}

void ReportModelTest::shrinkingBandMovesComponentsUp()
{
    Sheet sheet;
    TppShape *low = sheet.Add<TppShape>("ppShape1");
    low->SetBounds(0, 10000, 1000, 2000);
    TppShape *tall = sheet.Add<TppShape>("ppShape2");
    tall->SetBounds(0, 1000, 1000, 9000);
    TppShape *high = sheet.Add<TppShape>("ppShape3");
    high->SetBounds(0, 100, 1000, 1000);
    sheet.header->SetmmHeight(5000);
    QCOMPARE(low->mmTop(), 3000);  // bottom on the band's bottom
    QCOMPARE(tall->mmTop(), 0);    // taller than the band
    QCOMPARE(high->mmTop(), 100);  // fits already
}

void ReportModelTest::changesAnnounced_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("announced");
    QTest::newRow("component visible") << "visible" << true;
    QTest::newRow("component position") << "left" << true;
    QTest::newRow("component size") << "height" << true;
    QTest::newRow("word wrap") << "wordwrap" << true;
    QTest::newRow("band visible") << "band visible" << true;
    QTest::newRow("band print height") << "print height" << true;
    QTest::newRow("band bottom offset") << "bottom offset" << true;
    QTest::newRow("print on first page") << "first page" << true;
    QTest::newRow("memo lines assigned") << "lines" << true;
    QTest::newRow("memo stretch") << "stretch" << true;
    QTest::newRow("add a component") << "add" << true;
    QTest::newRow("remove a component") << "remove" << true;
    QTest::newRow("add a band") << "add band" << true;
    QTest::newRow("transparent") << "transparent" << false;
    QTest::newRow("caption of a label") << "caption" << false;
    QTest::newRow("memo lines edited in place") << "lines in place" << false;
    QTest::newRow("same value again") << "same" << false;
}

void ReportModelTest::changesAnnounced()
{
    QFETCH(QString, change);
    Sheet sheet;
    TppLabel *label = sheet.Add<TppLabel>("ppLabel1");
    label->SetAutoSize(false);
    TppMemo *memo = sheet.Add<TppMemo>("ppMemo1");
    auto *header = static_cast<TppHeaderBand *>(sheet.header);
    sheet.report.SetJobStarted(true);
    const int before = sheet.Resets();
    if (change == "visible") label->SetVisible(false);
    else if (change == "left") label->SetmmLeft(5);
    else if (change == "height") label->SetmmHeight(5);
    else if (change == "wordwrap") label->SetWordWrap(true);
    else if (change == "band visible") header->SetVisible(false);
    else if (change == "print height") header->SetPrintHeight(phDynamic);
    else if (change == "bottom offset") header->SetmmBottomOffset(10);
    else if (change == "first page") header->SetPrintOnFirstPage(false);
    else if (change == "lines") memo->SetLines({"a"});
    else if (change == "stretch") memo->SetStretch(true);
    else if (change == "add") sheet.Add<TppShape>("ppShape1");
    else if (change == "remove") header->RemoveObject(label);
    else if (change == "add band") sheet.report.AddBand(std::make_unique<TppFooterBand>());
    else if (change == "transparent") label->SetTransparent(true);
    else if (change == "caption") label->SetCaption("123");
    else if (change == "lines in place") memo->Lines().push_back("b");
    else if (change == "same") label->SetVisible(true);
    QFETCH(bool, announced);
    QCOMPARE(sheet.Resets() > before, announced);
    QCOMPARE(sheet.report.JobStarted(), !announced);
}

void ReportModelTest::changeDuringPrintRequest()
{
    Sheet sheet;
    TppLabel *label = sheet.Add<TppLabel>("ppLabel1");
    const int before = sheet.Resets();
    // A print request under way: the handed-out pages are stale, but the
    // engine is not restarted under its feet.
    sheet.report.SetProducing(true);
    sheet.report.SetJobStarted(true);
    label->SetVisible(false);
    QCOMPARE(sheet.Resets(), before);
    QCOMPARE(sheet.report.JobStarted(), false);
    // While a page is generated the record of handed-out pages stays.
    sheet.report.SetPrinting(true);
    sheet.report.SetJobStarted(true);
    label->SetVisible(true);
    QCOMPARE(sheet.report.JobStarted(), true);
}

void ReportModelTest::printerSetupChange()
{
    Sheet sheet;
    TppShape *wide = sheet.Add<TppShape>("ppShape1");
    wide->SetParentWidth(true);
    const std::int32_t before = wide->mmWidth();
    TppPrinterSetup same;
    same.Assign(sheet.report.PrinterSetup());
    same.SetCopies(3);
    const int resets = sheet.Resets();
    sheet.report.SetPrinterSetup(same);
    QCOMPARE(sheet.report.PrinterSetup().Copies(), 3);
    QCOMPARE(sheet.Resets(), resets); // minor change: nothing to lay out again
    TppPrinterSetup narrower;
    narrower.Assign(sheet.report.PrinterSetup());
    narrower.SetmmMarginLeft(20000);
    sheet.report.SetPrinterSetup(narrower);
    QVERIFY(sheet.Resets() > resets);
    // Parent-wide components follow the new printable width.
    QCOMPARE(wide->mmWidth(), before - (20000 - 6350));
}

void ReportModelTest::componentDefaults()
{
    TppLabel label;
    QCOMPARE(label.mmWidth(), 17198);
    QCOMPARE(label.mmHeight(), 4498);
    QCOMPARE(label.mmLeft(), 0);
    QCOMPARE(label.mmTop(), 0);
    QCOMPARE(label.AutoSize(), true);
    QCOMPARE(label.WordWrap(), false);
    QCOMPARE(label.CharWrap(), false);
    QCOMPARE(label.Visible(), true);
    QCOMPARE(label.Transparent(), false);
    QVERIFY(label.Color() == clWhite);
    QCOMPARE(label.TextAlignment(), taLeftJustified);
    QCOMPARE(label.BandType(), 4);
    QCOMPARE(label.GroupNo(), -1);
    QCOMPARE(label.SaveOrder(), -1);
    QCOMPARE(label.SaveLength(), 0);
    QVERIFY(!label.ParentWidth() && !label.ParentHeight() && !label.ShiftWithParent()
            && !label.StretchWithParent() && !label.ReprintOnOverFlow());
    QVERIFY(label.Band() == nullptr && label.Report() == nullptr);
    TppMemo memo;
    QCOMPARE(memo.mmWidth(), UnitsToMMThousandths(185, utScreenPixels, raVertical));
    QCOMPARE(memo.mmHeight(), UnitsToMMThousandths(89, utScreenPixels, raVertical));
    QCOMPARE(memo.AutoSize(), false);
    memo.SetAutoSize(true);
    memo.SetWordWrap(true);
    QCOMPARE(memo.AutoSize(), false);
    QCOMPARE(memo.WordWrap(), false);
    QVERIFY(!memo.Stretch() && !memo.KeepTogether() && !memo.ForceJustifyLastLine());
    QCOMPARE(memo.mmLeading(), 0);
    QCOMPARE(memo.mmStopPosition(), 0);
    TppShape shape;
    QCOMPARE(shape.mmWidth(), 13229);
    QCOMPARE(shape.mmHeight(), 13229);
    QCOMPARE(shape.Shape(), stRectangle);
    QVERIFY(shape.Pen().Color == clBlack && shape.Pen().Style == psSolid && shape.Pen().Width == 1
            && shape.Pen().Mode == pmCopy);
    QVERIFY(shape.Brush().Color == clWhite && shape.Brush().Style == bsSolid);
    TppImage image;
    QCOMPARE(image.mmWidth(), 13229);
    QVERIFY(image.Center());
    QVERIFY(!image.Stretch() && !image.MaintainAspectRatio() && !image.AutoSize()
            && !image.DirectDraw() && !image.Transparent());
    QVERIFY(image.Picture().IsEmpty());
}

void ReportModelTest::reportDefaults()
{
    TppReport report;
    QCOMPARE(report.Units(), utInches);
    QCOMPARE(report.DeviceType(), std::string("Screen"));
    QVERIFY(report.ShowPrintDialog() && report.ShowCancelDialog() && report.ModalPreview()
            && report.ModalCancelDialog());
    QVERIFY(!report.AllowPrintToFile() && !report.AllowPrintToArchive() && !report.SavePrinterSetup()
            && !report.ShowAutoSearchDialog() && !report.CachePages());
    QCOMPARE(report.TextFileType(), ftComma);
    QCOMPARE(report.Language(), lgDefault);
    QCOMPARE(report.AutoStop(), true);
    QCOMPARE(report.PassSetting(), psOnePass);
    QCOMPARE(report.PageLimit(), 0);
    QCOMPARE(report.NoDataBehaviors(), TppNoDataBehaviors(ndBlankPage));
    QCOMPARE(report.Columns(), 1);
    QCOMPARE(report.mmColumnWidth(), 0);
    QCOMPARE(report.Version(), std::string("1.0"));
    QCOMPARE(report.BandCount(), 0);
    QCOMPARE(report.GroupCount(), 0);
    QCOMPARE(report.PageNo(), 0);
    QCOMPARE(report.Modified(), false);
    QVERIFY(&report.Engine() != nullptr);
    QVERIFY(report.Engine().Report() == &report);
}

void ReportModelTest::bandDefaults()
{
    TppDetailBand detail;
    QCOMPARE(detail.mmHeight(), 13229);
    QCOMPARE(detail.mmBottomOffset(), 0);
    QCOMPARE(detail.mmPrintPosition(), 0);
    QCOMPARE(detail.PrintHeight(), phStatic);
    QCOMPARE(detail.Visible(), true);
    QCOMPARE(detail.Save(), false);
    QCOMPARE(detail.Index(), -1);
    QCOMPARE(detail.mmWidth(), 0);
    QCOMPARE(detail.BandsPerRecord(), 1);
    detail.SetBandsPerRecord(0);
    QCOMPARE(detail.BandsPerRecord(), 1);
    QCOMPARE(detail.ColumnTraversal(), ctTopToBottom);
    TppFooterBand footer;
    QVERIFY(footer.PrintOnFirstPage() && footer.PrintOnLastPage());
    footer.SetPrintHeight(phDynamic);
    QCOMPARE(footer.PrintHeight(), phStatic);
    TppPageStyle style;
    QCOMPARE(style.PageSetting(), psAll);
    QCOMPARE(style.StartPage(), 0);
    QCOMPARE(style.RankKey(), std::string("      10"));
    // Column width for a detail band of a report with columns.
    TppReport report;
    report.PrinterSetup().SetmmPaperWidth(215900);
    TppBand *band = report.AddBand(std::make_unique<TppDetailBand>());
    QCOMPARE(band->mmWidth(), 215900 - 2 * 6350);
    report.SetColumns(2);
    report.SetmmColumnWidth(90000);
    QCOMPARE(band->mmWidth(), 90000);
}

void ReportModelTest::unitViews_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("stored");
    QTest::addColumn<float>("shown");
    QTest::newRow("inches") << int(utInches) << 25400 << 1.0f;
    QTest::newRow("millimetres") << int(utMillimeters) << 1234 << 1.234f;
    QTest::newRow("thousandths") << int(utMMThousandths) << 1234 << 1234.0f;
}

void ReportModelTest::unitViews()
{
    QFETCH(int, units);
    QFETCH(int, stored);
    QFETCH(float, shown);
    Sheet sheet;
    sheet.report.SetUnits(TppUnitType(units));
    TppLabel *label = sheet.Add<TppLabel>("ppLabel1");
    label->SetmmTop(stored);
    QCOMPARE(label->Top(), shown);
    const int resets = sheet.Resets();
    label->SetLeft(shown);
    QCOMPARE(label->mmLeft(), stored);
    QVERIFY(sheet.Resets() > resets);
    sheet.header->SetHeight(shown);
    QCOMPARE(sheet.header->mmHeight(), stored);
    QCOMPARE(sheet.header->Height(), shown);
}

void ReportModelTest::readingStoresUnitValuesAsThousandths()
{
    Sheet sheet;
    TppLabel *label = sheet.Add<TppLabel>("ppLabel1");
    sheet.report.BeginReading();
    label->SetLeft(2.7f);
    sheet.header->SetHeight(-5.9f);
    sheet.report.EndReading();
    QCOMPARE(label->mmLeft(), 2);
    QCOMPARE(sheet.header->mmHeight(), -5);
}

void ReportModelTest::parentWidthAndHeight()
{
    Sheet sheet;
    sheet.report.PrinterSetup().SetmmPaperWidth(215900);
    sheet.header->SetmmHeight(20000);
    auto shape = std::make_unique<TppShape>();
    shape->SetBounds(500, 600, 700, 800);
    shape->SetParentWidth(true);
    shape->SetParentHeight(true);
    TppComponent *placed = sheet.header->AddObject(std::move(shape));
    QCOMPARE(placed->mmLeft(), 0);
    QCOMPARE(placed->mmTop(), 0);
    QCOMPARE(placed->mmWidth(), 203200);
    QCOMPARE(placed->mmHeight(), 20000);
    sheet.header->SetmmHeight(15000);
    QCOMPARE(placed->mmHeight(), 15000);
}

void ReportModelTest::labelsRefuseFullJustification()
{
    TppLabel label;
    label.SetTextAlignment(taCentered);
    label.SetTextAlignment(taFullJustified);
    QCOMPARE(label.TextAlignment(), taCentered);
    QCOMPARE(label.Alignment(), taCenter);
    TppMemo memo;
    memo.SetTextAlignment(taFullJustified);
    QCOMPARE(memo.TextAlignment(), taFullJustified);
}

void ReportModelTest::defaultBands()
{
    TppReport empty;
    empty.CreateDefaultBands();
    QCOMPARE(KindsInOrder(empty), QString("TppHeaderBand,TppDetailBand,TppFooterBand"));
    QVERIFY(empty.Modified());
    TppReport columns;
    columns.SetColumns(2);
    columns.CreateDefaultBands();
    QCOMPARE(KindsInOrder(columns),
             QString("TppHeaderBand,TppColumnHeaderBand,TppDetailBand,TppColumnFooterBand,TppFooterBand"));
    TppReport noDetail;
    noDetail.AddBand(std::make_unique<TppHeaderBand>());
    noDetail.CreateDefaultBands();
    QCOMPARE(KindsInOrder(noDetail), QString("TppHeaderBand,TppDetailBand"));
    TppReport complete;
    complete.AddBand(std::make_unique<TppDetailBand>());
    QVERIFY(complete.Modified()); // attaching a band marks the report
    complete.CreateDefaultBands();
    QCOMPARE(complete.BandCount(), 1);
}

void ReportModelTest::linksForgetDestroyedObjects()
{
    Sheet sheet;
    TppMemo *first = sheet.Add<TppMemo>("ppMemo1");
    TppMemo *second = sheet.Add<TppMemo>("ppMemo2");
    second->SetShiftRelativeTo(first);
    QVERIFY(second->IsLinkedTo(first) && first->IsLinkedTo(second));
    sheet.header->RemoveObject(first).reset();
    QVERIFY(second->ShiftRelativeTo() == nullptr);
    QVERIFY(!second->IsLinkedTo(first));
}

namespace {
class Listener : public TppLabel {
public:
    std::vector<int> received;

protected:
    void EventNotify(TppCommunicator *, int eventId) override { received.push_back(eventId); }
};
} // namespace

void ReportModelTest::eventSubscriptions()
{
    TppLabel sender;
    auto listener = std::make_unique<Listener>();
    sender.AddEventNotify(listener.get(), 3);
    sender.AddEventNotify(listener.get(), 200);
    sender.AddEventNotify(listener.get(), 256); // outside 0 to 255: ignored
    sender.SendEventNotify(3);
    sender.SendEventNotify(4);
    sender.SendEventNotify(200);
    QCOMPARE(listener->received, (std::vector<int>{3, 200}));
    QVERIFY(sender.HasEventSubscriber(200));
    listener.reset();
    QVERIFY(!sender.HasEventSubscriber(200));
    sender.SendEventNotify(3); // nobody left to call
}

// Labels measure their text, which needs the graphics system.
QTEST_MAIN(ReportModelTest)
#include "report_model_test.moc"
