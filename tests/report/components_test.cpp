#include "band_fixture.h"

#include "output/draw_image.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/printer_list.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/shape.h"

#include <QtTest>

#include <cmath>
#include <string>

// Labels, shapes and pictures: what they measure, where they print and the
// draw commands they add, on the PDF test queue's resolution.
class ComponentsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void autoSizedLabelFollowsItsText_data();
    void autoSizedLabelFollowsItsText();
    void fixedLabelTakesTheMeasuredHeightOnly();
    void noMeasuringWhilePrinting();
    void labelsRefuseFullJustification();
    void labelDrawCommandFields();
    void getTextReplacesThePrintedText();
    void wordWrappedLabelCarriesItsLines();
    void hiddenLabelShownByOnPrintPrints();
    void reprintOnOverFlowIsMarkedAgain();
    void shapeGeometry_data();
    void shapeGeometry();
    void pictureNamesCarrySequenceNumbers();
    void pictureWithoutNameGetsAFreeOne();
    void pictureFields();
    void parentWidthAndHeight();
    void drawCommandCreateSeesTheFinishedCommand();
};

namespace {

TppDrawText &TextAt(const TppPage &page, int index)
{
    return static_cast<TppDrawText &>(*page.DrawCommands(index));
}

// The caption's size measured as the label does, on the shared measuring
// printer, in thousandths.
QSize MeasuredSize(const std::string &text, const TppFont &font)
{
    TppPrinter *printer = TppPrinterList::Instance().SharedMeasuringPrinter();
    platform::Canvas *canvas = TppPlainText::MeasuringCanvasOf(printer);
    canvas->SetFont(font);
    const platform::CanvasRect r = canvas->CalcTextRect(
        {0, 0, 100000, 100000}, text, platform::ctfExpandTabs | platform::ctfExternalLeading);
    return {UnitsToMMThousandths(float(r.Width()), utPrinterPixels, raHorizontal, printer),
            UnitsToMMThousandths(float(r.Height()), utPrinterPixels, raVertical, printer)};
}

} // namespace

void ComponentsTest::initTestCase()
{
    TppPrinter *printer = TppPrinterList::Instance().SharedMeasuringPrinter();
    QVERIFY2(printer && printer->PrinterDisplayName() == "ValdoraPDF",
             "the default test queue ValdoraPDF is missing: start the test services");
    QVERIFY(TppPlainText::MeasuringCanvasOf(printer));
    QVERIFY(printer->ResolutionY() > 96);
}

void ComponentsTest::autoSizedLabelFollowsItsText_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("left, shorter number") << int(taLeftJustified) << "Label1" << "7";
    QTest::newRow("right, text grows") << int(taRightJustified) << "12" << "12 345 678";
    QTest::newRow("right, text shrinks") << int(taRightJustified) << "Tamaño" << "T";
    QTest::newRow("centre, text grows") << int(taCentered) << "1" << "Confianza";
    QTest::newRow("centre, text shrinks") << int(taCentered) << "Confianza del" << "%";
}

void ComponentsTest::autoSizedLabelFollowsItsText()
{
    QFETCH(int, alignment);
    QFETCH(QString, before);
    QFETCH(QString, after);

    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &label = sheet.Place<TppLabel>(band, 50000, 3000, 17198, 4498);
    label.SetTextAlignment(TppTextAlignment(alignment));
    label.SetFont(Arial10());
    label.SetCaption(before.toStdString());
    const std::int32_t oldLeft = label.mmLeft();
    const std::int32_t oldWidth = label.mmWidth();
    QCOMPARE(oldWidth, MeasuredSize(before.toStdString(), Arial10()).width());

    label.SetCaption(after.toStdString());
    const QSize expected = MeasuredSize(after.toStdString(), Arial10());
    QCOMPARE(label.mmWidth(), expected.width());
    QCOMPARE(label.mmHeight(), expected.height());
    QCOMPARE(label.mmTop(), 3000);
    std::int32_t expectedLeft = oldLeft;
    if (alignment == taRightJustified)
        expectedLeft = oldLeft + oldWidth - expected.width();
    else if (alignment == taCentered)
        expectedLeft = oldLeft + (oldWidth - expected.width()) / 2;
    QCOMPARE(label.mmLeft(), expectedLeft);
}

void ComponentsTest::fixedLabelTakesTheMeasuredHeightOnly()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &label = sheet.Place<TppLabel>(band, 1000, 2000, 30000, 20000);
    label.SetAutoSize(false);
    label.SetBounds(1000, 2000, 30000, 20000);
    // A caption change of a label that does not auto-size measures nothing.
    label.SetCaption("Error Máximo");
    QCOMPARE(label.mmHeight(), 20000);

    label.SetFont(Arial10());
    QCOMPARE(label.mmWidth(), 30000);
    QCOMPARE(label.mmLeft(), 1000);
    QCOMPARE(label.mmHeight(), MeasuredSize("Error Máximo", Arial10()).height());

    // A word-wrapped fixed label is never measured.
    label.SetWordWrap(true);
    label.SetmmHeight(20000);
    TppFont bigger = Arial10();
    bigger.SetSize(14);
    label.SetFont(bigger);
    QCOMPARE(label.mmHeight(), 20000);
}

void ComponentsTest::noMeasuringWhilePrinting()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &label = sheet.Place<TppLabel>(band, 1000, 2000, 30000, 20000);
    sheet.report.SetPrinting(true);
    label.SetCaption("Un texto largo");
    QCOMPARE(label.mmWidth(), 30000);
    sheet.report.SetPrinting(false);
    label.SetCaption("Otro");
    QCOMPARE(label.mmWidth(), MeasuredSize("Otro", label.Font()).width());
}

void ComponentsTest::labelsRefuseFullJustification()
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

void ComponentsTest::labelDrawCommandFields()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetSave(true);
    auto &label = sheet.Place<TppLabel>(band, 42069, 28840, 10499, 4022);
    label.SetAutoSize(false);
    label.SetBounds(42069, 28840, 10499, 4022);
    label.SetCaption("384");
    label.SetTextAlignment(taRightJustified);
    label.SetColor(TppColor::FromRgb(0x00FF00));
    label.SetTransparent(true);
    label.SetSave(true);
    label.SetSaveOrder(4);
    label.SetSaveLength(12);
    label.SetTag(77);
    sheet.ResetAll();
    band.Generate(sheet.context);

    QCOMPARE(sheet.context.page->DrawCommandCount(), 1);
    const TppDrawText &text = TextAt(*sheet.context.page, 0);
    QCOMPARE(text.Left(), 6350 + 42069);
    QCOMPARE(text.Top(), 6350 + 28840);
    QCOMPARE(text.Width(), 10499);
    QCOMPARE(text.Height(), 4022);
    QCOMPARE(text.Text(), std::string("384"));
    QCOMPARE(text.Alignment(), taRightJustify);
    QCOMPARE(text.TextAlignment(), taRightJustified);
    QCOMPARE(text.AutoSize(), false);
    QVERIFY(text.Color() == TppColor::FromRgb(0x00FF00));
    QCOMPARE(text.Transparent(), true);
    QCOMPARE(text.Font().Name(), label.Font().Name());
    QCOMPARE(text.WordWrap(), false);
    QVERIFY(text.WrappedText().empty());
    QCOMPARE(text.ForceJustifyLastLine(), false);
    QCOMPARE(text.IsMemo(), false);
    QCOMPARE(text.DataType(), dtString);
    QCOMPARE(text.BandSave(), true);
    QCOMPARE(text.ComponentSave(), true);
    QCOMPARE(text.ComponentSaveNo(), 4);
    QCOMPARE(text.SaveLength(), 12);
    QCOMPARE(text.Tag(), 77);
    QCOMPARE(text.Clickable(), false);
}

void ComponentsTest::getTextReplacesThePrintedText()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &label = sheet.Place<TppLabel>(band, 0, 0, 10000, 4000);
    label.SetCaption("Antes");
    label.OnGetText = [](TppLabel &, std::string &text) { text += " y después"; };
    sheet.ResetAll();
    band.Generate(sheet.context);
    QCOMPARE(TextAt(*sheet.context.page, 0).Text(), std::string("Antes y después"));
    QCOMPARE(label.Caption(), std::string("Antes"));
}

void ComponentsTest::wordWrappedLabelCarriesItsLines()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(40000);
    auto &label = sheet.Place<TppLabel>(band, 0, 0, 10000, 4000);
    label.SetFont(Arial10());
    label.SetAutoSize(false);
    label.SetWordWrap(true);
    // Room for two lines of Arial 10 (a line is about 3.94 mm).
    label.SetBounds(0, 0, 30000, 9000);
    label.SetCaption("Los renglones sin paloma son datos considerados por el Sistema");
    sheet.ResetAll();
    band.Generate(sheet.context);

    const TppDrawText &text = TextAt(*sheet.context.page, 0);
    QVERIFY(text.WordWrap());
    QCOMPARE(text.WrappedText().size(), std::size_t(2));
    QCOMPARE(text.WrappedText()[0].rfind("Los renglones", 0), std::size_t(0));
    QCOMPARE(text.Text(), label.Caption());
}

void ComponentsTest::hiddenLabelShownByOnPrintPrints()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &hidden = sheet.Place<TppLabel>(band, 0, 0, 10000, 4000);
    hidden.SetVisible(false);
    hidden.OnPrint = [](TppComponent &sender) { sender.SetVisible(true); };
    auto &stays = sheet.Place<TppLabel>(band, 0, 5000, 10000, 4000);
    stays.SetVisible(false);
    sheet.ResetAll();
    band.Generate(sheet.context);
    QCOMPARE(sheet.context.page->DrawCommandCount(), 1);
    QCOMPARE(sheet.context.page->DrawCommands(0)->Top(), 6350);
}

void ComponentsTest::reprintOnOverFlowIsMarkedAgain()
{
    // A band continues with its overflowing memo; a label that reprints on
    // overflow is printed with it, another is not.
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    band.SetPrintHeight(phDynamic);
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 30000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    for (int i = 0; i < 80; ++i)
        memo.Lines().push_back("Renglón " + std::to_string(i));
    auto &again = sheet.Place<TppLabel>(band, 40000, 0, 10000, 4000);
    again.SetCaption("Sigue");
    again.SetReprintOnOverFlow(true);
    auto &once = sheet.Place<TppLabel>(band, 60000, 0, 10000, 4000);
    once.SetCaption("Una vez");
    sheet.ResetAll();
    band.Generate(sheet.context);
    QVERIFY(band.Continuing());
    QCOMPARE(sheet.context.page->DrawCommandCount(), 3);

    sheet.NextPage();
    band.Generate(sheet.context);
    QCOMPARE(sheet.context.page->DrawCommandCount(), 2);
    QCOMPARE(TextAt(*sheet.context.page, 1).Text(), std::string("Sigue"));
}

void ComponentsTest::shapeGeometry_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("pen");
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("y1");
    QTest::addColumn<int>("x2");
    QTest::addColumn<int>("y2");
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("commandShape");

    QTest::newRow("rectangle, pen 1") << int(stRectangle) << 50 << 30 << 1 << 0 << 0 << 50 << 30 << 7 << int(stRectangle);
    QTest::newRow("rectangle, pen 3") << int(stRectangle) << 50 << 30 << 3 << 1 << 1 << 49 << 29 << 7 << int(stRectangle);
    QTest::newRow("circle 50 x 30") << int(stCircle) << 50 << 30 << 1 << 10 << 0 << 40 << 30 << 7 << int(stEllipse);
    QTest::newRow("circle 30 x 50, pen 3") << int(stCircle) << 30 << 50 << 3 << 1 << 11 << 29 << 39 << 7 << int(stEllipse);
    QTest::newRow("square 51 x 30") << int(stSquare) << 51 << 30 << 1 << 10 << 0 << 41 << 30 << 7 << int(stRectangle);
    QTest::newRow("round square 40 x 80, pen 4") << int(stRoundSquare) << 40 << 80 << 4 << 2 << 22 << 38 << 58 << 10 << int(stRoundRect);
    QTest::newRow("round rectangle") << int(stRoundRect) << 80 << 40 << 1 << 0 << 0 << 80 << 40 << 10 << int(stRoundRect);
    QTest::newRow("ellipse") << int(stEllipse) << 80 << 40 << 2 << 1 << 1 << 79 << 39 << 10 << int(stEllipse);
}

void ComponentsTest::shapeGeometry()
{
    QFETCH(int, shape);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, pen);
    QFETCH(int, x1);
    QFETCH(int, y1);
    QFETCH(int, x2);
    QFETCH(int, y2);
    QFETCH(int, radius);
    QFETCH(int, commandShape);

    const auto toThousandths = [](int pixels, TppResolutionAxis axis) {
        return UnitsToMMThousandths(float(pixels), utScreenPixels, axis);
    };
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(50000);
    auto &component = sheet.Place<TppShape>(band, 10000, 2000, toThousandths(w, raHorizontal),
                                            toThousandths(h, raVertical));
    component.SetShape(TppShapeType(shape));
    TppPen thick;
    thick.Width = pen;
    thick.Color = clRed;
    component.SetPen(thick);
    TppBrush brush;
    brush.Color = clBlue;
    component.SetBrush(brush);
    sheet.ResetAll();
    band.Generate(sheet.context);

    const auto &command = static_cast<const TppDrawShape &>(*sheet.context.page->DrawCommands(0));
    const std::int32_t left = 6350 + 10000;
    const std::int32_t top = 6350 + 2000;
    QCOMPARE(command.Left(), left + toThousandths(x1, raHorizontal));
    QCOMPARE(command.Top(), top + toThousandths(y1, raVertical));
    QCOMPARE(command.Width(), toThousandths(x2, raHorizontal) - toThousandths(x1, raHorizontal));
    QCOMPARE(command.Height(), toThousandths(y2, raVertical) - toThousandths(y1, raVertical));
    QCOMPARE(command.XCornerRound(), toThousandths(radius, raHorizontal));
    QCOMPARE(command.YCornerRound(), toThousandths(radius, raVertical));
    QCOMPARE(int(command.ShapeType()), commandShape);
    QCOMPARE(command.Pen(), thick);
    QCOMPARE(command.Brush(), brush);
    QCOMPARE(command.DataType(), dtGraphic);
}

void ComponentsTest::pictureNamesCarrySequenceNumbers()
{
    TppBitmap red{2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000)};
    TppBitmap blue{3, 1, std::vector<std::uint32_t>(3, 0xFF0000FF)};
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &image = sheet.Place<TppImage>(band, 0, 0, 10000, 10000);
    image.SetName("ppImage1");
    image.SetPicture(TppPicture::FromBitmap(red));
    bool change = false;
    image.OnPrint = [&](TppComponent &) {
        if (change)
            image.SetPicture(TppPicture::FromBitmap(blue));
    };
    sheet.ResetAll();
    QCOMPARE(image.SequenceNumber(), 0);

    band.Generate(sheet.context);
    const auto name = [&] {
        return static_cast<const TppDrawImage &>(*sheet.context.page->DrawCommands(0)).ImageName();
    };
    QCOMPARE(name(), std::string("ppImage10"));

    change = true;
    sheet.NextPage();
    band.Generate(sheet.context);
    QCOMPARE(name(), std::string("ppImage11"));

    // A page generated again from the state cache keeps its number.
    sheet.context.firstGeneration = false;
    sheet.StartPage();
    band.Generate(sheet.context);
    QCOMPARE(name(), std::string("ppImage11"));

    // A new start numbers from 0 again.
    sheet.ResetAll();
    QCOMPARE(image.SequenceNumber(), 0);
}

void ComponentsTest::pictureWithoutNameGetsAFreeOne()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &named = sheet.Place<TppImage>(band, 0, 0, 10000, 10000);
    named.SetName("ppImage1");
    auto &unnamed = sheet.Place<TppImage>(band, 0, 0, 10000, 10000);
    sheet.ResetAll();
    band.Generate(sheet.context);
    QCOMPARE(unnamed.Name(), std::string("ppImage2"));
    QCOMPARE(static_cast<const TppDrawImage &>(*sheet.context.page->DrawCommands(1)).ImageName(),
             std::string("ppImage20"));
}

void ComponentsTest::pictureFields()
{
    TppBitmap bitmap{4, 2, std::vector<std::uint32_t>(8, 0xFF00FF00)};
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &image = sheet.Place<TppImage>(band, 1000, 2000, 10000, 8000);
    image.SetPicture(TppPicture::FromBitmap(bitmap));
    image.SetStretch(true);
    image.SetMaintainAspectRatio(true);
    image.SetCenter(false);
    image.SetDirectDraw(true);
    image.SetTransparent(true);
    sheet.ResetAll();
    band.Generate(sheet.context);
    const auto &command = static_cast<const TppDrawImage &>(*sheet.context.page->DrawCommands(0));
    QCOMPARE(command.Left(), 7350);
    QCOMPARE(command.Top(), 8350);
    QCOMPARE(command.Width(), 10000);
    QCOMPARE(command.Height(), 8000);
    QVERIFY(command.Stretch());
    QVERIFY(command.MaintainAspectRatio());
    QVERIFY(!command.Center());
    QVERIFY(command.DirectDraw());
    QVERIFY(command.Transparent());
    QCOMPARE(command.Picture(), image.Picture());
    QCOMPARE(command.DataType(), dtGraphic);
}

void ComponentsTest::parentWidthAndHeight()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(30000);
    auto &shape = sheet.Place<TppShape>(band, 5000, 6000, 1000, 1000);
    shape.SetParentWidth(true);
    QCOMPARE(shape.mmLeft(), 0);
    QCOMPARE(shape.mmWidth(), 215900 - 2 * 6350);
    QCOMPARE(shape.mmTop(), 6000);
    shape.SetParentHeight(true);
    QCOMPARE(shape.mmTop(), 0);
    QCOMPARE(shape.mmHeight(), 30000);
    band.SetmmHeight(40000);
    QCOMPARE(shape.mmHeight(), 40000);
}

void ComponentsTest::drawCommandCreateSeesTheFinishedCommand()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &label = sheet.Place<TppLabel>(band, 0, 0, 10000, 4000);
    label.SetCaption("Nota");
    int clicks = 0;
    label.OnDrawCommandClick = [&](TppComponent &, TppDrawCommand &) { ++clicks; };
    std::string seen;
    label.OnDrawCommandCreate = [&](TppComponent &sender, TppDrawCommand &command) {
        QCOMPARE(&sender, static_cast<TppComponent *>(&label));
        QVERIFY(!command.Page());
        seen = static_cast<TppDrawText &>(command).Text();
        command.SetTag(5);
    };
    sheet.ResetAll();
    band.Generate(sheet.context);
    QCOMPARE(seen, std::string("Nota"));
    TppDrawCommand &command = *sheet.context.page->DrawCommands(0);
    QCOMPARE(command.Tag(), 5);
    QVERIFY(command.Clickable());
    command.Click();
    QCOMPARE(clicks, 1);

    // A command kept after its component is gone clicks into nothing.
    std::unique_ptr<TppDrawCommand> kept = sheet.context.page->RemoveDrawCommand(&command);
    band.RemoveObject(&label).reset();
    kept->Click();
    QCOMPARE(clicks, 1);
}

QTEST_MAIN(ComponentsTest)
#include "components_test.moc"
