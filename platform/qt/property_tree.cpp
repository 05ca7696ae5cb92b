#include "platform/property_tree.h"

// Parsing is left to Qt's JSON reader: it is complete and well tested, and
// converting its values into the neutral tree keeps every Qt type out of the
// report engine, which only walks TppPropertyNode.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

TppPropertyNode TppPropertyNode::Boolean(bool value)
{
    TppPropertyNode node;
    node.m_kind = pkBoolean;
    node.m_boolean = value;
    return node;
}

TppPropertyNode TppPropertyNode::Number(double value)
{
    TppPropertyNode node;
    node.m_kind = pkNumber;
    node.m_number = value;
    return node;
}

TppPropertyNode TppPropertyNode::String(std::string value)
{
    TppPropertyNode node;
    node.m_kind = pkString;
    node.m_string = std::move(value);
    return node;
}

TppPropertyNode TppPropertyNode::List(std::vector<TppPropertyNode> items)
{
    TppPropertyNode node;
    node.m_kind = pkList;
    node.m_items = std::move(items);
    return node;
}

TppPropertyNode TppPropertyNode::Object(std::vector<Member> members)
{
    TppPropertyNode node;
    node.m_kind = pkObject;
    node.m_members = std::move(members);
    return node;
}

const TppPropertyNode *TppPropertyNode::Find(std::string_view key) const
{
    for (const Member &member : m_members) {
        if (member.first == key)
            return &member.second;
    }
    return nullptr;
}

namespace {

TppPropertyNode Convert(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return TppPropertyNode::Boolean(value.toBool());
    case QJsonValue::Double:
        return TppPropertyNode::Number(value.toDouble());
    case QJsonValue::String:
        return TppPropertyNode::String(value.toString().toStdString());
    case QJsonValue::Array: {
        std::vector<TppPropertyNode> items;
        for (const QJsonValue &item : value.toArray())
            items.push_back(Convert(item));
        return TppPropertyNode::List(std::move(items));
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        std::vector<TppPropertyNode::Member> members;
        for (auto it = object.begin(); it != object.end(); ++it)
            members.emplace_back(it.key().toStdString(), Convert(it.value()));
        return TppPropertyNode::Object(std::move(members));
    }
    default:
        return {};
    }
}

} // namespace

namespace platform {

TppPropertyNode ParseJsonDocument(std::string_view text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(text.data(), qsizetype(text.size())), &error);
    if (error.error != QJsonParseError::NoError)
        throw TppDocumentError("The document is not well-formed: "
                               + error.errorString().toStdString() + " at character "
                               + std::to_string(error.offset) + ".");
    if (document.isObject())
        return Convert(document.object());
    return Convert(document.array());
}

std::string ReadResource(std::string_view path)
{
    QFile file(QString::fromUtf8(path.data(), qsizetype(path.size())));
    if (path.empty() || !file.open(QIODevice::ReadOnly))
        throw TppDocumentError("There is no resource \"" + std::string(path) + "\" in the program.");
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace platform
