#include "platform/property_tree.h"

#include <QtTest>

class PropertyTreeTest : public QObject {
    Q_OBJECT

private slots:
    void parsesEveryKind();
    void malformedTextSaysWhere_data();
    void malformedTextSaysWhere();
    void readsCompiledInResources();
};

void PropertyTreeTest::parsesEveryKind()
{
    const TppPropertyNode root = platform::ParseJsonDocument(
        R"({"b": true, "n": -12.5, "s": "Tamaño", "l": [1, "x", null], "o": {"k": false}})");
    QCOMPARE(root.GetKind(), TppPropertyNode::pkObject);
    QCOMPARE(root.Find("b")->AsBoolean(), true);
    QCOMPARE(root.Find("n")->AsNumber(), -12.5);
    QCOMPARE(QString::fromStdString(root.Find("s")->AsString()), QString::fromUtf8("Tamaño"));
    const auto &items = root.Find("l")->Items();
    QCOMPARE(items.size(), std::size_t(3));
    QCOMPARE(items[1].AsString(), std::string("x"));
    QCOMPARE(items[2].GetKind(), TppPropertyNode::pkNull);
    QCOMPARE(root.Find("o")->Find("k")->GetKind(), TppPropertyNode::pkBoolean);
    QVERIFY(root.Find("missing") == nullptr);
}

void PropertyTreeTest::malformedTextSaysWhere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("offset");
    QTest::newRow("trailing comma") << R"({"a": 1,})" << "at character 9";
    QTest::newRow("unterminated") << R"({"a": "x)" << "at character";
    QTest::newRow("empty") << "" << "at character 0";
}

void PropertyTreeTest::malformedTextSaysWhere()
{
    QFETCH(QString, text);
    QFETCH(QString, offset);
    try {
        platform::ParseJsonDocument(text.toStdString());
        QFAIL("no error");
    } catch (const TppDocumentError &error) {
        const QString what = QString::fromUtf8(error.what());
        QVERIFY2(what.startsWith("The document is not well-formed: ") && what.contains(offset), qPrintable(what));
    }
}

void PropertyTreeTest::readsCompiledInResources()
{
    const std::string sheet = platform::ReadResource(":/assets/results_sheet.json");
    QVERIFY(sheet.find("\"ppReport1\"") != std::string::npos);
    QVERIFY_THROWS_EXCEPTION(TppDocumentError, platform::ReadResource(":/assets/none.json"));
}

QTEST_GUILESS_MAIN(PropertyTreeTest)
#include "property_tree_test.moc"
