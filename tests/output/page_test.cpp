#include "output/draw_image.h"
#include "output/draw_line.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/draw_target.h"
#include "output/page.h"
#include "output/printer_setup.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

namespace {

std::vector<std::uint8_t> JpegBytes(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return {bytes.begin(), bytes.end()};
}

// A small, valid JPEG whose frame header claims `width` x `height`: its
// pixels run out early, which the decoder tolerates, but a full-size
// rendition needs the memory of the claimed size.
std::vector<std::uint8_t> JpegClaiming(int width, int height)
{
    auto bytes = JpegBytes(16, 16, Qt::red);
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) { // baseline frame header
            bytes[i + 5] = std::uint8_t(height >> 8);
            bytes[i + 6] = std::uint8_t(height);
            bytes[i + 7] = std::uint8_t(width >> 8);
            bytes[i + 8] = std::uint8_t(width);
            break;
        }
    }
    return bytes;
}

std::unique_ptr<TppDrawText> Text(const char *text, bool clickable = false)
{
    auto command = std::make_unique<TppDrawText>();
    command->SetText(text);
    command->SetClickable(clickable);
    return command;
}

// Counts what a page asks its device to redraw.
class RecordingTarget : public TppDrawTarget {
public:
    bool RenderCommand(TppDrawCommand &) override { return true; }
    bool RefreshText(TppDrawCommand &) override
    {
        ++refreshed;
        return true;
    }
    int refreshed = 0;
};

// A command whose text follows the page totals, as variable texts do.
class PageTotalText : public TppDrawText {
public:
    bool NeedsPageTotals() const override { return true; }
    bool UpdateFromPage() override
    {
        ++updates;
        return changes;
    }
    int updates = 0;
    bool changes = false;
};

} // namespace

class PageTest : public QObject {
    Q_OBJECT

private slots:
    void newPageHasInitialHeader();
    void captionsUseLibraryTexts_data();
    void captionsUseLibraryTexts();
    void assignCopiesCommandsDeeply();
    void assignCopiesHeaderAndSetup();
    void assignRefusesWhatIsNotAPage_data();
    void assignRefusesWhatIsNotAPage();
    void resetPageKeepsFirstPageAndPrintTime();
    void clickableListIsCreatedAndFreed();
    void clearDrawCommandsKeepsAuxiliaryLists();
    void removedCommandIsHandedBack();
    void pageTotalsAreRefreshed();
    void nullPrinterSetupIsIgnored();

    void alignmentsFollowEachOther_data();
    void alignmentsFollowEachOther();
    void olderAlignmentIdentifiers_data();
    void olderAlignmentIdentifiers();
    void drawCommandDefaults();
    void assignLeavesPageAndRedraw();
    void sameContentComparesEveryField_data();
    void sameContentComparesEveryField();
    void sameContentOfShapesAndLines();

    void bitmapOfJpegIsRenderedOnce();
    void bitmapFallsBackToQuarterSize();
    void tooLargeJpegIsRenderedAtQuarterSize();
    void unrenderablePictureGivesNoBitmap();
    void unreadableDataIsRefused();
};

void PageTest::newPageHasInitialHeader()
{
    TppPage page;
    QCOMPARE(page.AbsolutePageNo(), 0);
    QCOMPARE(page.AbsolutePageCount(), 0);
    QCOMPARE(page.Calculation(), false);
    QCOMPARE(page.ControlGroupBreakNo(), 0);
    QCOMPARE(page.DocumentName(), std::string());
    QCOMPARE(page.Final(), false);
    QCOMPARE(page.FirstPage(), false);
    QCOMPARE(page.LanguageIndex(), 0);
    QCOMPARE(page.LastPage(), false);
    QCOMPARE(page.PageNo(), 0);
    QCOMPARE(page.PageCount(), 0);
    QCOMPARE(page.PassSetting(), psOnePass);
    QCOMPARE(page.PrintDateTime(), 0.0);
    QCOMPARE(page.DrawCommandCount(), 0);
    QCOMPARE(page.ClickableCount(), 0);
    QVERIFY(page.ClickableCommands(0) == nullptr);
    QVERIFY(!page.HasPageTotalsCommands());
    QVERIFY(page.Report() == nullptr);
    QCOMPARE(page.PrinterSetup().PrinterName(), std::string("Default"));
    QVERIFY(page.PageDef() == page.PrinterSetup().PageDef());
}

void PageTest::captionsUseLibraryTexts_data()
{
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("noCaption");
    QTest::newRow("3 of 5") << 3 << 5 << "Page 3 of 5" << "Page 3";
    QTest::newRow("unknown count") << 1 << 0 << "Page 1 of 0" << "Page 1";
    QTest::newRow("large") << 1234 << 99999 << "Page 1234 of 99999" << "Page 1234";
}

void PageTest::captionsUseLibraryTexts()
{
    QFETCH(int, pageNo);
    QFETCH(int, pageCount);
    TppPage page;
    page.SetAbsolutePageNo(pageNo);
    page.SetAbsolutePageCount(pageCount);
    QTEST(QString::fromStdString(page.PageCaption()), "caption");
    QTEST(QString::fromStdString(page.PageNoCaption()), "noCaption");
}

void PageTest::assignCopiesCommandsDeeply()
{
    TppPage source;
    auto *text = static_cast<TppDrawText *>(source.AddDrawCommand(Text("uno", true)));
    text->WrappedText() = {"a", "b"};
    text->Font().SetName("Arial");
    auto *shape = static_cast<TppDrawShape *>(source.AddDrawCommand(std::make_unique<TppDrawShape>()));
    shape->SetShapeType(stEllipse);
    shape->Pen().Width = 3;
    auto *image = static_cast<TppDrawImage *>(source.AddDrawCommand(std::make_unique<TppDrawImage>()));
    image->SetImageName("ppImage10");
    image->SetPicture(TppPicture::FromEncoded(gkJpeg, JpegBytes(8, 4, Qt::blue)));

    TppPage copy;
    copy.AddDrawCommand(Text("stale"));
    copy.Assign(source);

    QCOMPARE(copy.DrawCommandCount(), 3);
    const char *classes[] = {"TppDrawText", "TppDrawShape", "TppDrawImage"};
    for (int i = 0; i < 3; ++i) {
        TppDrawCommand *mine = copy.DrawCommands(i);
        QVERIFY(mine != source.DrawCommands(i));
        QCOMPARE(mine->ClassName(), classes[i]);
        QVERIFY(mine->Page() == &copy);
        QVERIFY(mine->SameContentAs(*source.DrawCommands(i)));
    }
    QCOMPARE(copy.ClickableCount(), 1);
    QVERIFY(copy.ClickableCommands(0) == copy.DrawCommands(0));
    auto *copiedImage = static_cast<TppDrawImage *>(copy.DrawCommands(2));
    QCOMPARE(copiedImage->ImageName(), std::string("ppImage10"));
    QVERIFY(copiedImage->Picture() == image->Picture());

    auto *copiedText = static_cast<TppDrawText *>(copy.DrawCommands(0));
    copiedText->WrappedText().push_back("c");
    copiedText->Font().SetName("Courier New");
    static_cast<TppDrawShape *>(copy.DrawCommands(1))->Pen().Width = 1;
    QCOMPARE(text->WrappedText(), (TppStringList{"a", "b"}));
    QCOMPARE(text->Font().Name(), std::string("Arial"));
    QCOMPARE(shape->Pen().Width, 3);
    QCOMPARE(source.DrawCommandCount(), 3);
    QVERIFY(source.DrawCommands(0)->Page() == &source);
}

void PageTest::assignCopiesHeaderAndSetup()
{
    TppPage source;
    source.SetAbsolutePageNo(2);
    source.SetAbsolutePageCount(7);
    source.SetCalculation(true);
    source.SetControlGroupBreakNo(4);
    source.SetDocumentName("Report");
    source.SetFinal(true);
    source.SetFirstPage(true);
    source.SetLanguageIndex(3);
    source.SetLastPage(true);
    source.SetPassSetting(psTwoPass);
    source.SetPageCount(6);
    source.SetPageNo(5);
    source.SetPrintDateTime(45000.5);
    source.PrinterSetup().SetCopies(4);
    source.PrinterSetup().SetDocumentName("Hoja");

    TppPage copy;
    copy.Assign(source);
    QCOMPARE(copy.AbsolutePageNo(), 2);
    QCOMPARE(copy.AbsolutePageCount(), 7);
    QCOMPARE(copy.Calculation(), true);
    QCOMPARE(copy.ControlGroupBreakNo(), 4);
    QCOMPARE(copy.DocumentName(), std::string("Report"));
    QCOMPARE(copy.Final(), true);
    QCOMPARE(copy.FirstPage(), true);
    QCOMPARE(copy.LanguageIndex(), 3);
    QCOMPARE(copy.LastPage(), true);
    QCOMPARE(copy.PassSetting(), psTwoPass);
    QCOMPARE(copy.PageCount(), 6);
    QCOMPARE(copy.PageNo(), 5);
    QCOMPARE(copy.PrintDateTime(), 45000.5);
    QCOMPARE(copy.PrinterSetup().Copies(), 4);
    QCOMPARE(copy.PrinterSetup().DocumentName(), std::string("Hoja"));
    QVERIFY(&copy.PrinterSetup() != &source.PrinterSetup());
}

void PageTest::assignRefusesWhatIsNotAPage_data()
{
    QTest::addColumn<bool>("useCommand");
    QTest::addColumn<QString>("message");
    QTest::newRow("draw command") << true << "Cannot assign a TppDrawText to a TppPage.";
    QTest::newRow("nothing") << false << "Cannot assign nothing to a TppPage.";
}

void PageTest::assignRefusesWhatIsNotAPage()
{
    QFETCH(bool, useCommand);
    QFETCH(QString, message);
    TppPage page;
    page.SetAbsolutePageNo(9);
    page.AddDrawCommand(Text("kept"));
    TppDrawText command;
    const TppComponentBase *source = useCommand ? &command : nullptr;
    try {
        page.Assign(source);
        QFAIL("no error");
    } catch (const EAssignError &error) {
        QCOMPARE(QString::fromStdString(error.what()), message);
    }
    QCOMPARE(page.AbsolutePageNo(), 9);
    QCOMPARE(page.DrawCommandCount(), 1);
}

void PageTest::resetPageKeepsFirstPageAndPrintTime()
{
    TppPage source;
    source.SetAbsolutePageNo(1);
    source.SetAbsolutePageCount(1);
    source.SetFirstPage(true);
    source.SetLastPage(true);
    source.SetFinal(true);
    source.SetPageNo(1);
    source.SetPageCount(1);
    source.SetDocumentName("Report");
    source.SetPassSetting(psTwoPass);
    source.SetPrintDateTime(46000.25);
    source.AddDrawCommand(Text("x", true));
    source.PrinterSetup().SetCopies(2);

    TppPage page;
    page.Assign(source);
    page.ResetPage();
    QCOMPARE(page.FirstPage(), true);
    QCOMPARE(page.PrintDateTime(), 46000.25);
    QCOMPARE(page.PassSetting(), psTwoPass);
    QCOMPARE(page.PrinterSetup().Copies(), 2);
    QCOMPARE(page.AbsolutePageNo(), 0);
    QCOMPARE(page.AbsolutePageCount(), 0);
    QCOMPARE(page.PageNo(), 0);
    QCOMPARE(page.PageCount(), 0);
    QCOMPARE(page.LastPage(), false);
    QCOMPARE(page.Final(), false);
    QCOMPARE(page.DocumentName(), std::string());
    QCOMPARE(page.DrawCommandCount(), 0);
    QCOMPARE(page.ClickableCount(), 0);
}

void PageTest::clickableListIsCreatedAndFreed()
{
    TppPage page;
    page.AddDrawCommand(Text("plain"));
    QVERIFY(!page.HasClickableList());
    TppDrawCommand *clickable = page.AddDrawCommand(Text("click", true));
    QCOMPARE(page.ClickableCount(), 1);

    auto removed = page.RemoveDrawCommand(clickable);
    QVERIFY(removed.get() == clickable);
    QVERIFY(removed->Page() == nullptr);
    QCOMPARE(page.ClickableCount(), 0);
    QVERIFY(!page.HasClickableList());
    QVERIFY(page.ClickableCommands(0) == nullptr);
    QCOMPARE(page.DrawCommandCount(), 1);

    TppDrawCommand *again = page.AddDrawCommand(Text("again", true));
    QVERIFY(page.HasClickableList());
    QCOMPARE(page.ClickableCount(), 1);
    QVERIFY(page.ClickableCommands(0) == again);
}

void PageTest::clearDrawCommandsKeepsAuxiliaryLists()
{
    TppPage page;
    page.AddDrawCommand(Text("a", true));
    page.AddDrawCommand(std::make_unique<PageTotalText>());
    page.ClearDrawCommands();
    QCOMPARE(page.DrawCommandCount(), 0);
    QCOMPARE(page.ClickableCount(), 0);
    QVERIFY(page.HasClickableList());
    QVERIFY(page.HasPageTotalsCommands());
}

void PageTest::removedCommandIsHandedBack()
{
    TppPage first;
    TppPage second;
    TppDrawCommand *moving = first.AddDrawCommand(Text("moving", true));
    QVERIFY(first.RemoveDrawCommand(nullptr) == nullptr);
    QVERIFY(second.RemoveDrawCommand(moving) == nullptr); // not second's
    second.AddDrawCommand(first.RemoveDrawCommand(moving));
    QCOMPARE(first.DrawCommandCount(), 0);
    QCOMPARE(second.DrawCommandCount(), 1);
    QVERIFY(moving->Page() == &second);
    QCOMPARE(second.ClickableCount(), 1);
}

void PageTest::pageTotalsAreRefreshed()
{
    TppPage page;
    auto *unchanged = static_cast<PageTotalText *>(page.AddDrawCommand(std::make_unique<PageTotalText>()));
    auto *changed = static_cast<PageTotalText *>(page.AddDrawCommand(std::make_unique<PageTotalText>()));
    changed->changes = true;
    page.AddDrawCommand(Text("fixed"));
    QVERIFY(page.HasPageTotalsCommands());

    page.RefreshPageTotals(nullptr);
    QCOMPARE(unchanged->updates, 1);
    QCOMPARE(changed->updates, 1);

    RecordingTarget device;
    page.RefreshPageTotals(&device);
    QCOMPARE(device.refreshed, 1);
    QCOMPARE(changed->updates, 2);

    page.RemoveDrawCommand(unchanged);
    page.RemoveDrawCommand(changed);
    QVERIFY(!page.HasPageTotalsCommands());
}

void PageTest::nullPrinterSetupIsIgnored()
{
    TppPage page;
    page.PrinterSetup().SetCopies(3);
    page.SetPrinterSetup(nullptr);
    QCOMPARE(page.PrinterSetup().Copies(), 3);
    TppPrinterSetup other;
    other.SetCopies(5);
    page.SetPrinterSetup(&other);
    QCOMPARE(page.PrinterSetup().Copies(), 5);
    other.SetCopies(6);
    QCOMPARE(page.PrinterSetup().Copies(), 5);
}

void PageTest::alignmentsFollowEachOther_data()
{
    QTest::addColumn<bool>("setText"); // set TextAlignment, else Alignment
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("textAlignment");
    QTest::newRow("full justified is left") << true << int(taFullJustified) << int(taLeftJustify) << int(taFullJustified);
    QTest::newRow("right justified") << true << int(taRightJustified) << int(taRightJustify) << int(taRightJustified);
    QTest::newRow("centred") << true << int(taCentered) << int(taCenter) << int(taCentered);
    QTest::newRow("alignment centre") << false << int(taCenter) << int(taCenter) << int(taCentered);
    QTest::newRow("alignment right") << false << int(taRightJustify) << int(taRightJustify) << int(taRightJustified);
}

void PageTest::alignmentsFollowEachOther()
{
    QFETCH(bool, setText);
    QFETCH(int, value);
    TppDrawText text;
    if (setText)
        text.SetTextAlignment(TppTextAlignment(value));
    else
        text.SetAlignment(TppAlignment(value));
    QTEST(int(text.Alignment()), "alignment");
    QTEST(int(text.TextAlignment()), "textAlignment");
}

void PageTest::olderAlignmentIdentifiers_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("textAlignment");
    // Left is already the alignment: the setter acts only on a change.
    QTest::newRow("left, unchanged") << "taLeftJustify" << int(taLeftJustify) << int(taFullJustified);
    QTest::newRow("centre") << "taCenter" << int(taCenter) << int(taCentered);
    QTest::newRow("right") << "taRightJustify" << int(taRightJustify) << int(taRightJustified);
    // Unknown identifiers leave the full justification set beforehand alone.
    QTest::newRow("unknown") << "taCentered" << int(taLeftJustify) << int(taFullJustified);
    QTest::newRow("empty") << "" << int(taLeftJustify) << int(taFullJustified);
}

void PageTest::olderAlignmentIdentifiers()
{
    QFETCH(QString, identifier);
    TppDrawText text;
    text.SetTextAlignment(taFullJustified);
    text.ReadAlignmentIdentifier(identifier.toStdString());
    QTEST(int(text.Alignment()), "alignment");
    QTEST(int(text.TextAlignment()), "textAlignment");
}

void PageTest::drawCommandDefaults()
{
    TppDrawText text;
    QCOMPARE(text.DataType(), dtString);
    QCOMPARE(text.Clickable(), false);
    QVERIFY(text.Color() == clWhite);
    QCOMPARE(text.Alignment(), taLeftJustify);
    QCOMPARE(text.TextAlignment(), taLeftJustified);
    QCOMPARE(text.Leading(), 0);
    QVERIFY(!text.IsMemo() && !text.AutoSize() && !text.WordWrap() && !text.Transparent());
    QVERIFY(text.DeviceBounds() == TppDeviceRect{});
    TppDrawShape shape;
    QCOMPARE(shape.DataType(), dtGraphic);
    QCOMPARE(shape.ShapeType(), stRectangle);
    QCOMPARE(shape.XCornerRound(), 0);
    TppDrawLine line;
    QCOMPARE(line.DataType(), dtGraphic);
    QCOMPARE(line.LinePosition(), lpTop);
    QCOMPARE(line.LineStyle(), lsSingle);
    TppDrawImage image;
    QCOMPARE(image.DataType(), dtGraphic);
    QVERIFY(!image.Center() && !image.Stretch() && !image.MaintainAspectRatio() && !image.Scale()
            && !image.Transparent() && !image.DirectDraw());
    QVERIFY(image.Picture().IsEmpty());
    QVERIFY(image.AsBitmap() == nullptr);
}

void PageTest::assignLeavesPageAndRedraw()
{
    TppPage page;
    auto *source = static_cast<TppDrawText *>(page.AddDrawCommand(Text("s", true)));
    source->SetRedrawPage(true);
    source->SetTag(17);
    source->SetDeviceBounds({1, 2, 3, 4});
    int clicks = 0;
    source->SetClickHandler([&clicks](TppDrawCommand &) { ++clicks; });
    TppDrawText target;
    target.Assign(*source);
    QVERIFY(target.Page() == nullptr);
    QCOMPARE(target.RedrawPage(), false);
    QCOMPARE(target.Tag(), 17);
    QVERIFY(target.DeviceBounds() == (TppDeviceRect{1, 2, 3, 4}));
    QCOMPARE(target.Clickable(), true);
    target.Click();
    QCOMPARE(clicks, 1);
    // A command of another class gives only the shared fields.
    TppDrawShape shape;
    shape.Assign(*source);
    QCOMPARE(shape.Tag(), 17);
    QCOMPARE(shape.DataType(), dtString);
}

void PageTest::sameContentComparesEveryField_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("same");
    const char *names[] = {"nothing", "left", "top", "width", "height", "alignment",
                           "force justify", "auto size", "colour", "font name", "font size",
                           "font style", "is memo", "leading", "save length", "text",
                           "transparent", "tab stops", "word wrap", "wrapped text",
                           "font colour (not compared)", "tag (not compared)",
                           "device bounds (not compared)"};
    for (int i = 0; i < int(std::size(names)); ++i)
        QTest::newRow(names[i]) << i << (i == 0 || i >= 20);
}

void PageTest::sameContentComparesEveryField()
{
    QFETCH(int, change);
    TppDrawText a;
    a.SetText("x");
    a.WrappedText() = {"x"};
    a.TabStopPositions() = {"1000"};
    TppDrawText b;
    b.Assign(a);
    switch (change) {
    case 1: b.SetLeft(1); break;
    case 2: b.SetTop(1); break;
    case 3: b.SetWidth(1); break;
    case 4: b.SetHeight(1); break;
    case 5: b.SetTextAlignment(taCentered); break;
    case 6: b.SetForceJustifyLastLine(true); break;
    case 7: b.SetAutoSize(true); break;
    case 8: b.SetColor(clRed); break;
    case 9: b.Font().SetName("Arial"); break;
    case 10: b.Font().SetSize(20); break;
    case 11: b.Font().SetStyle(fsBold); break;
    case 12: b.SetIsMemo(true); break;
    case 13: b.SetLeading(5); break;
    case 14: b.SetSaveLength(5); break;
    case 15: b.SetText("y"); break;
    case 16: b.SetTransparent(true); break;
    case 17: b.TabStopPositions().push_back("2000"); break;
    case 18: b.SetWordWrap(true); break;
    case 19: b.WrappedText() = {"y"}; break;
    case 20: b.Font().SetColor(clRed); break;
    case 21: b.SetTag(3); break;
    case 22: b.SetDeviceLeft(30); break;
    default: break;
    }
    QTEST(b.SameContentAs(a), "same");
    QTEST(a.SameContentAs(b), "same");
}

void PageTest::sameContentOfShapesAndLines()
{
    TppDrawShape a;
    TppDrawShape b;
    QVERIFY(a.SameContentAs(b));
    b.Brush().Style = bsClear;
    QVERIFY(!a.SameContentAs(b));
    b.Assign(a);
    b.SetYCornerRound(10);
    QVERIFY(!a.SameContentAs(b));
    TppDrawLine line1;
    TppDrawLine line2;
    QVERIFY(line1.SameContentAs(line2));
    line2.SetLinePosition(lpRight);
    QVERIFY(!line1.SameContentAs(line2));
    // Commands of different classes never have the same content.
    TppDrawText text;
    QVERIFY(!a.SameContentAs(text));
    QVERIFY(!text.SameContentAs(a));
    QVERIFY(!line1.SameContentAs(a));
    TppDrawImage image1;
    TppDrawImage image2;
    image2.SetImageName("other");
    QVERIFY(image1.SameContentAs(image2)); // images compare geometry only
}

void PageTest::bitmapOfJpegIsRenderedOnce()
{
    TppDrawImage image;
    image.SetPicture(TppPicture::FromEncoded(gkJpeg, JpegBytes(40, 20, QColor(0, 0, 255))));
    const TppBitmap *bitmap = image.AsBitmap();
    QVERIFY(bitmap);
    QCOMPARE(bitmap->Width, 40);
    QCOMPARE(bitmap->Height, 20);
    const std::uint32_t pixel = bitmap->PixelAt(20, 10);
    QVERIFY((pixel & 0xFF) > 240 && ((pixel >> 16) & 0xFF) < 16); // blue
    QVERIFY(image.AsBitmap() == bitmap);
    image.SetPicture(TppPicture::FromEncoded(gkJpeg, JpegBytes(10, 10, Qt::red)));
    QCOMPARE(image.AsBitmap()->Width, 10);

    TppBitmap own{2, 1, {0xFFFF0000u, 0xFF00FF00u}};
    image.SetPicture(TppPicture::FromBitmap(own));
    QVERIFY(image.AsBitmap() == &image.Picture().Bitmap());
}

void PageTest::bitmapFallsBackToQuarterSize()
{
    TppDrawImage image;
    image.SetPicture(TppPicture::FromEncoded(gkJpeg, JpegBytes(402, 201, Qt::green)));
    // Room for the quarter (100 x 50 pixels) but not the whole picture.
    image.SetBitmapByteLimit(100 * 50 * 4);
    const TppBitmap *bitmap = image.AsBitmap();
    QVERIFY(bitmap);
    QCOMPARE(bitmap->Width, 100);
    QCOMPARE(bitmap->Height, 50);
}

void PageTest::tooLargeJpegIsRenderedAtQuarterSize()
{
    // 9000 x 9000 needs about 324 MB as a bitmap, beyond what one image may
    // take; 2250 x 2250 does not.
    TppDrawImage image;
    image.SetPicture(TppPicture::FromEncoded(gkJpeg, JpegClaiming(9000, 9000)));
    QCOMPARE(image.Picture().Width(), 9000);
    const TppBitmap *bitmap = image.AsBitmap();
    QVERIFY(bitmap);
    QCOMPARE(bitmap->Width, 2250);
    QCOMPARE(bitmap->Height, 2250);
}

void PageTest::unrenderablePictureGivesNoBitmap()
{
    TppDrawImage image;
    image.SetPicture(TppPicture::FromEncoded(gkJpeg, JpegBytes(64, 64, Qt::red)));
    image.SetBitmapByteLimit(16);
    QVERIFY(image.AsBitmap() == nullptr);
    QVERIFY(image.AsBitmap() == nullptr);
}

void PageTest::unreadableDataIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(TppPictureError,
                             TppPicture::FromEncoded(gkMetafile, JpegBytes(4, 4, Qt::red)));
    QVERIFY_THROWS_EXCEPTION(TppPictureError, TppPicture::FromEncoded(gkJpeg, {1, 2, 3}));
}

QTEST_GUILESS_MAIN(PageTest)
#include "page_test.moc"
